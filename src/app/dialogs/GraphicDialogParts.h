#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QRadioButton;

namespace dispcraft {

class SpinEdit;
struct SpinRange;

// A preview pane of a fixed size: green with the dark dots of a lamp or picture painted black
// (the dialogs render the image; the pane only shows it).
class DotPreview : public QWidget {
    Q_OBJECT
public:
    DotPreview(int width, int height, QWidget* parent = nullptr);

    // A green image of the pane's size to draw dots into.
    QImage blank() const;
    void setImage(QImage image);
    const QImage& image() const { return m_image; }
    void clear() { setImage({}); }

    static QColor background() { return QColor(0, 255, 0); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

// Option buttons of one choice in a titled box, laid out in a column (or a row): the first is
// named after the form's control ID ("ctl1058"), the next ones "ctl1058_1", "ctl1058_2"...,
// since the forms name only the first button of a group. Button ids are 0, 1, 2...
struct OptionGroup {
    QGroupBox* box = nullptr;
    QButtonGroup* buttons = nullptr;

    OptionGroup(QWidget* parent, const QString& title, int firstId, const QStringList& texts,
                bool row = false);
    // The names of buttons whose ids are not consecutive (the clock fields, the codings).
    OptionGroup(QWidget* parent, const QString& title, const QList<int>& ids, const QStringList& texts,
                bool row = false);

    // A group of buttons inside another box: no frame of its own.
    void setPlain();

    int checked() const;
    void check(int index);
    QRadioButton* button(int index) const;
};

QString optionName(int firstId, int index);

// The value range of the bar and trend graphs: maximum above minimum in a titled box, both
// spins bounded by the range the chosen coding allows.
struct ValueRangeBox {
    QGroupBox* box = nullptr;
    SpinEdit* maximum = nullptr;
    SpinEdit* minimum = nullptr;

    ValueRangeBox(QWidget* parent, SpinEdit* maximumSpin, SpinEdit* minimumSpin);
    void show(const SpinRange& range, long long maximumValue, long long minimumValue);
};

// The value codings of the bar and trend graphs in their order: unsigned, BCD, signed.
QStringList graphCodingNames();

} // namespace dispcraft
