#include "app/dialogs/GraphicDialogParts.h"

#include "app/dialogs/DialogLabels.h"
#include "app/dialogs/FormDialog.h"
#include "app/dialogs/GraphicDialogLabels.h"
#include "app/dialogs/SpinEdit.h"
#include "forms/FormOutcome.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QPainter>
#include <QRadioButton>

namespace dispcraft {

DotPreview::DotPreview(int width, int height, QWidget* parent) : QWidget(parent) {
    setFixedSize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage DotPreview::blank() const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(background());
    return image;
}

void DotPreview::setImage(QImage image) {
    m_image = std::move(image);
    update();
}

void DotPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_image.isNull()) {
        // Nothing chosen yet: the pane stays in the dialog's colour with a thin frame.
        p.fillRect(rect(), palette().window());
        p.setPen(palette().mid().color());
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    p.drawImage(0, 0, m_image);
}

QString optionName(int firstId, int index) {
    return index == 0 ? FormDialog::controlName(firstId)
                      : FormDialog::controlName(firstId) + QStringLiteral("_%1").arg(index);
}

QStringList graphCodingNames() {
    using namespace dlgtext;
    return {label(kValues, kUnsigned), label(kValues, kBcd), label(kValues, kSigned)};
}

namespace {

void build(OptionGroup& g, QWidget* parent, const QString& title, const QStringList& names,
           const QStringList& texts, bool row) {
    g.box = new QGroupBox(title, parent);
    g.buttons = new QButtonGroup(g.box);
    QBoxLayout* layout = row ? static_cast<QBoxLayout*>(new QHBoxLayout(g.box))
                             : static_cast<QBoxLayout*>(new QVBoxLayout(g.box));
    for (int i = 0; i < texts.size(); ++i) {
        auto* b = new QRadioButton(texts[i], g.box);
        b->setObjectName(names[i]);
        g.buttons->addButton(b, i);
        layout->addWidget(b);
    }
    if (row) {
        layout->addStretch(1);
    }
}

} // namespace

OptionGroup::OptionGroup(QWidget* parent, const QString& title, int firstId, const QStringList& texts,
                         bool row) {
    QStringList names;
    for (int i = 0; i < texts.size(); ++i) {
        names << optionName(firstId, i);
    }
    build(*this, parent, title, names, texts, row);
}

OptionGroup::OptionGroup(QWidget* parent, const QString& title, const QList<int>& ids,
                         const QStringList& texts, bool row) {
    QStringList names;
    for (int id : ids) {
        names << FormDialog::controlName(id);
    }
    build(*this, parent, title, names, texts, row);
}

void OptionGroup::setPlain() {
    box->setFlat(true);
    box->setStyleSheet(QStringLiteral("QGroupBox { border: 0; margin: 0; padding: 0; }"));
    box->layout()->setContentsMargins(0, 0, 0, 0);
}

int OptionGroup::checked() const { return qMax(0, buttons->checkedId()); }

void OptionGroup::check(int index) {
    if (QAbstractButton* b = buttons->button(index)) {
        b->setChecked(true);
    }
}

QRadioButton* OptionGroup::button(int index) const {
    return static_cast<QRadioButton*>(buttons->button(index));
}

ValueRangeBox::ValueRangeBox(QWidget* parent, SpinEdit* maximumSpin, SpinEdit* minimumSpin)
    : box(new QGroupBox(dlgtext::label(dlgtext::kValues, dlgtext::kRangeGroup), parent)),
      maximum(maximumSpin), minimum(minimumSpin) {
    auto* rows = new QFormLayout(box);
    rows->addRow(dlgtext::label(dlgtext::kValues, dlgtext::kMaximumLabel), maximum);
    rows->addRow(dlgtext::label(dlgtext::kValues, dlgtext::kMinimumLabel), minimum);
}

void ValueRangeBox::show(const SpinRange& range, long long maximumValue, long long minimumValue) {
    maximum->setSpinRange(range.low, range.high);
    minimum->setSpinRange(range.low, range.high);
    maximum->setValue(static_cast<int>(maximumValue));
    minimum->setValue(static_cast<int>(minimumValue));
}

} // namespace dispcraft
