#include "app/dialogs/DownloadDialog.h"

#include "app/AppContext.h"
#include "app/DialogRunner.h"
#include "app/MainWindow.h"
#include "app/Prompts.h"
#include "app/UiText.h"
#include "comm/DownloadSession.h"
#include "config/SettingsFile.h"
#include "image/LinkFiles.h"
#include "model/ProjectStore.h"
#include "platform/SerialDeviceList.h"
#include "platform/SerialPort.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace dispcraft {

namespace {

constexpr int kCaptionDownload = 61483;
constexpr int kCaptionSystemProgram = 61490;

constexpr int kKindRole = Qt::UserRole + 1; // a port entry's SerialDevice::Kind

template <typename W>
W* named(W* widget, int id) {
    widget->setObjectName(QStringLiteral("ctl%1").arg(id));
    return widget;
}

} // namespace

QString DownloadDialog::portLabel(const SerialDevice& d) {
    switch (d.kind) {
    case SerialDevice::Kind::VirtualPanel:
        return ui::text(Message::string(kVirtualPanel, {d.name}));
    case SerialDevice::Kind::Adapter:
        if (!d.product.empty()) {
            return ui::text(Message::string(kAdapterEntry, {d.name, d.product}));
        }
        break;
    default:
        break;
    }
    return ui::qs(d.label());
}

void DownloadDialog::fillPorts() {
    for (const SerialDevice& d : SerialDeviceList::list()) {
        m_ports->addItem(portLabel(d), ui::qs(d.path));
        m_ports->setItemData(m_ports->count() - 1, ui::qs(d.path), Qt::ToolTipRole);
        m_ports->setItemData(m_ports->count() - 1, static_cast<int>(d.kind), kKindRole);
    }
}

QString DownloadDialog::chosenDevice() const {
    const QString text = m_ports->currentText().trimmed();
    if (text.isEmpty()) {
        return {};
    }
    const int listed = m_ports->findText(text, Qt::MatchFixedString);
    if (listed >= 0) {
        return m_ports->itemData(listed).toString();
    }
    if (text.startsWith(QLatin1Char('/'))) {
        return text;
    }
    // A device name as the system lists it: "ttyUSB1", "pts/4".
    return QStringLiteral("/dev/") + text;
}

bool DownloadDialog::takePort() {
    const QString device = chosenDevice();
    if (device.isEmpty()) {
        m_prompts.show(Message::string(kNoPorts), Icon::Warning);
        return false;
    }
    if (m_serial) {
        m_serial->setDevicePath(ui::str(device));
    }
    const int listed = m_ports->findData(device);
    if (listed >= 0) {
        m_session->selectPort(listed);
        m_session->setPortName(ui::str(m_ports->itemText(listed)));
    } else {
        m_session->setPortName(ui::str(device));
    }
    if (m_settings) {
        m_settings->writeDownloadPort(ui::str(device));
    }
    return true;
}

DownloadDialog::DownloadDialog(DownloadInputs inputs, Prompts& prompts, QWidget* parent,
                               std::unique_ptr<Transport> transport, const SettingsFile* settings)
    : QDialog(parent), m_prompts(prompts), m_settings(settings) {
    setObjectName(QStringLiteral("downloadDialog"));
    setWindowTitle(ui::text(kCaptionDownload));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (!transport) {
        auto serial = std::make_unique<SerialPort>();
        m_serial = serial.get();
        transport = std::move(serial);
    }
    m_session = std::make_unique<DownloadSession>(std::move(inputs), std::move(transport), m_clock,
                                                  prompts);

    // A list of the devices found, and room to type one that is not listed.
    m_ports = named(new QComboBox(this), kPortList);
    m_ports->setEditable(true);
    m_ports->setInsertPolicy(QComboBox::NoInsert);
    m_ports->lineEdit()->setPlaceholderText(ui::text(kNoPorts));
    fillPorts();
    m_ports->setMinimumContentsLength(28);
    m_ports->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* portLabel = new QLabel(ui::text(kPortLabel), this);
    portLabel->setBuddy(m_ports);
    m_clockBox = named(new QCheckBox(ui::text(kClockBoxText), this), kClockBox);
    m_status = named(new QLineEdit(this), kStatus);
    m_status->setReadOnly(true);
    auto* statusLabel = new QLabel(ui::text(kStatusLabel), this);
    statusLabel->setBuddy(m_status);
    m_progress = named(new QProgressBar(this), kProgress);
    m_progress->setTextVisible(true);
    m_log = named(new QPlainTextEdit(this), kLog);
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_log->setMinimumSize(420, 160);
    auto* logLabel = new QLabel(ui::text(kLogLabel), this);
    logLabel->setBuddy(m_log);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    m_download = named(buttons->addButton(ui::text(kDownloadButton), QDialogButtonBox::ActionRole),
                       kDownload);
    m_system = named(buttons->addButton(ui::text(kSystemProgramButton), QDialogButtonBox::ActionRole),
                     kSystemProgram);
    m_stop = named(buttons->addButton(ui::text(kStopButton), QDialogButtonBox::ActionRole), kStop);
    m_cancel = named(buttons->addButton(QDialogButtonBox::Cancel), kCancel);
    m_download->setDefault(true);
    for (QPushButton* b : {m_download, m_system, m_stop, m_cancel}) {
        b->setAutoDefault(b == m_download);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(portLabel, 0, 0);
    grid->addWidget(m_ports, 0, 1);
    grid->addWidget(m_clockBox, 1, 0, 1, 2);
    grid->addWidget(statusLabel, 2, 0);
    grid->addWidget(m_status, 2, 1);
    grid->addWidget(m_progress, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    m_built = new QLabel(this);
    m_built->setObjectName(QStringLiteral("buildSummary"));
    m_built->setWordWrap(true);
    m_built->hide();
    auto* left = new QVBoxLayout;
    left->addWidget(m_built);
    left->addLayout(grid);
    left->addWidget(logLabel);
    left->addWidget(m_log, 1);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addWidget(buttons);

    // The session's notifier runs on the I/O thread; the queued connection brings the replies
    // to this thread. Signals still queued when the dialog goes are dropped with it.
    connect(this, &DownloadDialog::repliesQueued, this, &DownloadDialog::handleReplies,
            Qt::QueuedConnection);
    m_session->setReplyNotifier([this] { emit repliesQueued(); });
    m_session->setChangeListener([this] { showState(); });

    // The device of the last download when it is still there (or was typed); else the first
    // adapter, else the first virtual panel, else the first port.
    const QString remembered = m_settings ? ui::qs(m_settings->downloadPort()) : QString();
    int preset = remembered.isEmpty() ? -1 : m_ports->findData(remembered);
    // A device typed last time is typed again while it exists.
    const bool typed = preset < 0 && remembered.startsWith(QStringLiteral("/dev/")) &&
                       QFileInfo::exists(remembered);
    if (preset < 0 && !typed && !m_settings && m_session->portIndex() < m_ports->count()) {
        preset = m_session->portIndex(); // no settings file: the choice of this run
    }
    for (SerialDevice::Kind kind :
         {SerialDevice::Kind::Adapter, SerialDevice::Kind::VirtualPanel}) {
        if (preset < 0 && !typed) {
            preset = m_ports->findData(static_cast<int>(kind), kKindRole);
        }
    }
    if (typed) {
        m_ports->setCurrentIndex(-1);
        m_ports->setEditText(remembered);
    } else {
        m_ports->setCurrentIndex(preset >= 0 ? preset : (m_ports->count() > 0 ? 0 : -1));
    }
    connect(m_ports, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) {
            m_session->selectPort(index);
        }
    });
    connect(m_clockBox, &QCheckBox::toggled, this, [this](bool on) { m_session->setClockChecked(on); });
    connect(m_download, &QPushButton::clicked, this, [this] {
        if (takePort()) {
            m_session->download();
        }
        showState();
    });
    connect(m_system, &QPushButton::clicked, this, &DownloadDialog::systemProgram);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_session->stop(); });
    connect(m_cancel, &QPushButton::clicked, this, &DownloadDialog::reject);
    showState();
}

DownloadDialog::~DownloadDialog() {
    // The session stops the port's I/O first; the widgets it reports to are still here.
    m_session->setChangeListener({});
    m_session.reset();
}

int DownloadDialog::run() { return DialogRunner::exec(*this); }

void DownloadDialog::systemProgram() {
    if (!takePort()) {
        return;
    }
    m_session->downloadSystemProgram([this](const Message& filter) -> std::optional<std::string> {
        const QString path =
            m_prompts.openFileName(ui::text(kCaptionSystemProgram), ui::text(filter), QString());
        if (path.isEmpty()) {
            return std::nullopt;
        }
        return ui::str(path);
    });
    showState();
}

void DownloadDialog::reject() {
    m_session->cancel();
    QDialog::reject();
}

void DownloadDialog::keyPressEvent(QKeyEvent* event) {
    // Escape counts as Cancel only while Cancel may be pressed; the close box always closes.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        !m_cancel->isEnabled()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DownloadDialog::handleReplies() {
    // A message box inside the handler runs a nested event loop that may deliver the next
    // signal: it is handled once the first call is through.
    if (m_handling) {
        m_pending = true;
        return;
    }
    m_handling = true;
    do {
        m_pending = false;
        m_session->handleReplies();
    } while (m_pending);
    m_handling = false;
    showState();
}

void DownloadDialog::showState() {
    const DownloadSession& s = *m_session;
    const DownloadControls c = s.controls();
    m_download->setEnabled(c.download);
    m_ports->setEnabled(c.portList);
    m_system->setEnabled(c.systemProgram);
    m_stop->setEnabled(c.stop);
    m_cancel->setEnabled(c.cancel);
    m_clockBox->setEnabled(c.clockBox);
    if (m_clockBox->isChecked() != s.clockChecked()) {
        const QSignalBlocker block(m_clockBox);
        m_clockBox->setChecked(s.clockChecked());
    }
    m_status->setText(s.statusText().empty() ? QString() : ui::text(s.statusText()));
    if (s.progressMax() > s.progressMin()) {
        m_progress->setRange(s.progressMin(), s.progressMax());
        m_progress->setValue(s.progressPosition());
    } else {
        m_progress->setRange(0, 1);
        m_progress->setValue(0);
    }
    QString log;
    for (const Message& line : s.log()) {
        log += ui::text(line);
    }
    log.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    log.remove(QLatin1Char('\r'));
    while (log.endsWith(QLatin1Char('\n'))) {
        log.chop(1);
    }
    if (log != m_log->toPlainText()) {
        m_log->setPlainText(log);
        // The end of the log in sight.
        m_log->verticalScrollBar()->setValue(m_log->verticalScrollBar()->maximum());
    }
}

void DownloadDialog::setBuildSummary(const QString& summary, const QStringList& notes) {
    QString text = summary;
    for (const QString& note : notes) {
        text += QStringLiteral("\n- ") + note;
    }
    m_built->setText(text);
    m_built->setVisible(!text.isEmpty());
}

void DownloadDialog::afterBuild(MainWindow& main, const BuiltImage& built) {
    const BuildResult& r = built.result;
    for (const Message& note : r.warnings) {
        main.prompts().show(note, Icon::Warning);
    }
    if (r.outcome == BuildResult::Outcome::StartScreenMissing) {
        main.prompts().show(r.startScreenMessage, Icon::Warning);
        return;
    }
    const ProjectStore& st = main.store();
    DownloadInputs inputs = DownloadInputs::forProject(
        main.app().dir().path(), st.cpuId, built.imagePath, st.modelTitle,
        linkfiles::protocolName(st, 1), linkfiles::protocolName(st, 2));
    DownloadDialog dialog(std::move(inputs), main.prompts(), &main, nullptr,
                          &main.app().settings());
    QStringList notes;
    for (const Message& note : r.warnings) {
        notes << ui::text(note);
    }
    dialog.setBuildSummary(MainWindow::buildSummary(built, st), notes);
    dialog.run();
}

} // namespace dispcraft
