#pragma once

#include "forms/PlcAddressGroup.h"

#include <QObject>

class QComboBox;
class QFormLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace dispcraft {

class Prompts;
class SpinEdit;

// The widgets of one PLC address group (port, device type, bit number, address text and the
// keypad button), bound to the group of a form. The controls are named after the group's
// control IDs.
class AddressGroupControls : public QObject {
    Q_OBJECT
public:
    AddressGroupControls(PlcAddressGroup& group, Prompts& prompts, QWidget* parent);

    // A titled box holding the controls (the dialogs lay them out in one).
    QGroupBox* makeBox(const QString& title, QWidget* parent);
    // The rows alone, for a layout of the caller's.
    void addRows(QFormLayout* layout);

    // The group's fields into the widgets (lists refilled) and back.
    void show();
    void take();
    // Enables or disables the whole group; the bit number follows its port's setting as well.
    void setGroupEnabled(bool on);

    QComboBox* port() const { return m_port; }
    QComboBox* type() const { return m_type; }
    SpinEdit* bit() const { return m_bit; }
    QLineEdit* text() const { return m_text; }
    QPushButton* keypad() const { return m_keypad; }

signals:
    // After the group took the new port (its type list is refilled) or type.
    void portChanged();
    void typeChanged();

private:
    PlcAddressGroup& m_group;
    Prompts& m_prompts;
    QWidget* m_parent;
    QComboBox* m_port = nullptr;
    QComboBox* m_type = nullptr;
    SpinEdit* m_bit = nullptr;
    QLineEdit* m_text = nullptr;
    QPushButton* m_keypad = nullptr;
    bool m_enabled = true;
    bool m_showing = false;
};

} // namespace dispcraft
