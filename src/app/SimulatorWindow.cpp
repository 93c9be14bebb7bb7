#include "app/SimulatorWindow.h"

#include "app/AppContext.h"
#include "app/Prompts.h"
#include "app/SimPanelView.h"
#include "app/UiText.h"
#include "app/dialogs/DialogLabels.h"
#include "app/dialogs/GeneratorDialog.h"
#include "editor/ScreenRenderer.h"
#include "image/PanelGlyphs.h"
#include "model/ProjectStore.h"
#include "sim/SimMessages.h"
#include "text/Gb2312.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace dispcraft {

namespace {

constexpr dlgtext::Pack kLabels{65821, 0};
constexpr dlgtext::Pack kGeneratorLabels{65822, 0};
enum Line {
    kTitle, kMemory, kAddressColumn, kValueColumn, kShowAsColumn, kGeneratorColumn, kAdd, kRemove,
    kAddressHint, kAlarmsGroup, kTimeColumn, kMessageColumn, kStateColumn, kOn, kOff, kScreen,
    kRunning, kPaused, kPause, kRun, kRebuild, kGroup, kKeyHint,
};
enum Column { kAddressCol, kValueCol, kShowAsCol, kGeneratorCol };
enum GeneratorLine { kGenNone, kGenRamp, kGenSine, kUnsignedLine, kSignedLine, kHexLine, kBcdLine };

QString label(int line) { return dlgtext::label(kLabels, line); }
// A label with its printf-style placeholder filled.
QString label(int line, const QString& value) {
    QString text = label(line);
    const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("%[sd]")));
    return at < 0 ? text : text.replace(at, 2, value);
}

QString timeText(int64_t ms) {
    const int64_t s = ms / 1000;
    return QStringLiteral("%1:%2:%3.%4")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 100 % 10);
}

QString generatorText(const ValueGenerator& g) {
    switch (g.kind) {
    case ValueGenerator::Kind::None: return dlgtext::label(kGeneratorLabels, kGenNone);
    case ValueGenerator::Kind::Ramp:
    case ValueGenerator::Kind::Sine:
        return QStringLiteral("%1 %2..%3, %4 s")
            .arg(dlgtext::label(kGeneratorLabels, g.kind == ValueGenerator::Kind::Ramp ? kGenRamp : kGenSine))
            .arg(g.low)
            .arg(g.high)
            .arg(static_cast<double>(g.periodMs) / 1000.0);
    }
    return {};
}

QString fromStore(const std::string& gb) { return ui::qs(Gb2312::toUtf8Lossy(gb)); }

} // namespace

SimulatorWindow::SimulatorWindow(AppContext& app, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_prompts(prompts) {
    setObjectName(QStringLiteral("simulatorWindow"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    auto* left = new QVBoxLayout;
    m_view = new SimPanelView(central);
    left->addWidget(m_view);
    auto* hint = new QLabel(label(kKeyHint), central);
    hint->setWordWrap(true);
    left->addWidget(hint);
    left->addStretch();
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* memory = new QGroupBox(label(kMemory), central);
    auto* memoryRows = new QVBoxLayout(memory);
    auto* addRowLine = new QHBoxLayout;
    m_address = new QLineEdit(memory);
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setPlaceholderText(label(kAddressHint));
    auto* add = new QPushButton(label(kAdd), memory);
    add->setObjectName(QStringLiteral("add"));
    auto* remove = new QPushButton(label(kRemove), memory);
    remove->setObjectName(QStringLiteral("remove"));
    addRowLine->addWidget(m_address, 1);
    addRowLine->addWidget(add);
    addRowLine->addWidget(remove);
    memoryRows->addLayout(addRowLine);
    m_table = new QTableWidget(0, 4, memory);
    m_table->setObjectName(QStringLiteral("memory"));
    m_table->setHorizontalHeaderLabels(
        {label(kAddressColumn), label(kValueColumn), label(kShowAsColumn), label(kGeneratorColumn)});
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(kAddressCol, 130);
    m_table->setColumnWidth(kValueCol, 80);
    m_table->setColumnWidth(kShowAsCol, 90);
    memoryRows->addWidget(m_table);
    right->addWidget(memory, 3);

    auto* alarms = new QGroupBox(label(kAlarmsGroup), central);
    auto* alarmRows = new QVBoxLayout(alarms);
    m_alarms = new QTreeWidget(alarms);
    m_alarms->setObjectName(QStringLiteral("alarms"));
    m_alarms->setRootIsDecorated(false);
    m_alarms->setHeaderLabels({label(kTimeColumn), label(kMessageColumn), label(kStateColumn)});
    m_alarms->setColumnWidth(0, 90);
    m_alarms->setColumnWidth(1, 220);
    alarmRows->addWidget(m_alarms);
    right->addWidget(alarms, 2);
    columns->addLayout(right, 1);
    memory->setMinimumWidth(440);
    setCentralWidget(central);
    resize(1300, 600);

    QToolBar* bar = addToolBar(label(kTitle, QString()));
    bar->setObjectName(QStringLiteral("simulatorToolBar"));
    bar->setMovable(false);
    m_runAction = bar->addAction(label(kPause));
    m_runAction->setObjectName(QStringLiteral("pause"));
    m_runAction->setShortcut(QKeySequence(Qt::Key_Space));
    connect(m_runAction, &QAction::triggered, this, [this] { setRunning(!m_running); });
    QAction* rebuild = bar->addAction(label(kRebuild));
    rebuild->setObjectName(QStringLiteral("rebuild"));
    rebuild->setShortcut(QKeySequence(Qt::Key_F5));
    rebuild->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    connect(rebuild, &QAction::triggered, this, &SimulatorWindow::rebuildRequested);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("simStatus"));
    statusBar()->addPermanentWidget(m_status, 1);

    connect(add, &QPushButton::clicked, this, [this] {
        if (std::optional<Message> m = addRow(ui::str(m_address->text().trimmed()))) {
            m_prompts.show(*m, Icon::Warning);
            return;
        }
        m_address->clear();
    });
    connect(m_address, &QLineEdit::returnPressed, add, &QPushButton::click);
    connect(remove, &QPushButton::clicked, this, &SimulatorWindow::removeRows);
    connect(m_table, &QTableWidget::itemChanged, this, &SimulatorWindow::cellChanged);
    connect(m_table, &QTableWidget::cellClicked, this, &SimulatorWindow::cellClicked);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &SimulatorWindow::cellDoubleClicked);
    connect(m_view, &SimPanelView::functionKeyPressed, this, [this](int n) {
        if (m_sim) {
            m_sim->panel().pressFunctionKey(n);
            refresh();
        }
    });
    connect(m_view, &SimPanelView::panelKeyPressed, this, &SimulatorWindow::pressKey);
    connect(m_view, &SimPanelView::panelKeyReleased, this, &SimulatorWindow::releaseKey);

    m_timer = new QTimer(this);
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &SimulatorWindow::tick);
}

SimulatorWindow::~SimulatorWindow() = default;

bool SimulatorWindow::start(const ProjectStore& store) {
    BuildOptions options;
    options.glyphs = &m_app.glyphs();
    Simulation::Started started = Simulation::start(store, m_app.dir(), options, m_sim.get());
    if (!started.simulation) {
        m_prompts.show(started.failure.value_or(Message{}), Icon::Stop);
        return false;
    }
    const std::string watchPath = WatchList::pathFor(store.projectPath);
    // Another project takes its own table (an untitled one that was just saved keeps it).
    const bool anotherProject = m_sim == nullptr || (!m_watchPath.empty() && watchPath != m_watchPath);
    m_sim = std::move(started.simulation);
    if (anotherProject) {
        m_sim->watch() = WatchList{};
    }
    if (anotherProject && !watchPath.empty() && std::filesystem::exists(watchPath)) {
        if (std::optional<Message> m = m_sim->watch().load(watchPath, m_sim->plc())) {
            m_prompts.show(*m, Icon::Warning);
        }
    }
    m_watchPath = watchPath;

    const QString name = store.projectPath.empty() ? QStringLiteral("-")
                                                   : QFileInfo(ui::qs(store.projectPath)).completeBaseName();
    setWindowTitle(label(kTitle, name));
    QImage picture;
    if (std::optional<RgbImage> rgb = ScreenRenderer::loadPanelPicture(store, m_app.dir())) {
        picture = QImage(rgb->data(), rgb->width(), rgb->height(), static_cast<qsizetype>(rgb->bytesPerLine()),
                         QImage::Format_RGB888)
                      .copy();
    }
    m_view->setPanel(picture, QPoint(store.lcdX, store.lcdY), store.fnKeyRects, store.panelKeyRects);
    m_alarmTexts.assign(2, {});
    for (size_t g = 0; g < 2; ++g) {
        for (int i = 0; i < AlarmGroupImage::kMessages; ++i) {
            const AlarmBlock& a = store.alarms[g];
            const std::string& pool = store.alarmPools[g];
            const size_t at = a.offsets[static_cast<size_t>(i)];
            m_alarmTexts[g].push_back(at < pool.size() ? fromStore(pool.substr(at, a.lengths[static_cast<size_t>(i)]))
                                                       : QString());
        }
    }
    if (started.build.outcome == BuildResult::Outcome::StartScreenMissing) {
        statusBar()->showMessage(ui::text(started.build.startScreenMessage), 10000);
    }
    m_shownRevision = ~uint64_t{0};
    m_shownAlarms = ~size_t{0};
    buildTable();
    refresh();
    m_view->setFocus();
    if (m_running) {
        m_timer->start();
    }
    return true;
}

void SimulatorWindow::setRunning(bool running) {
    m_running = running;
    m_runAction->setText(label(running ? kPause : kRun));
    if (running && m_sim) {
        m_timer->start();
    } else {
        m_timer->stop();
    }
    refresh();
}

void SimulatorWindow::tick() {
    if (!m_sim) {
        return;
    }
    if (m_running) {
        m_sim->advance(kTickMs);
    }
    refresh();
}

QString SimulatorWindow::statusText() const { return m_status->text(); }

std::optional<Message> SimulatorWindow::addRow(const std::string& address) {
    if (!m_sim) {
        return std::nullopt;
    }
    if (std::optional<Message> m = m_sim->watch().add(address, m_sim->plc())) {
        return m;
    }
    buildTable();
    saveWatchList();
    return std::nullopt;
}

void SimulatorWindow::buildTable() {
    m_updating = true;
    const std::vector<WatchEntry>& rows = m_sim->watch().entries();
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) {
        const WatchEntry& e = rows[r];
        const int row = static_cast<int>(r);
        auto* address = new QTableWidgetItem(ui::qs(e.address));
        address->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        if (!e.location) {
            address->setForeground(Qt::gray);
            address->setToolTip(ui::text(e.problem));
        }
        m_table->setItem(row, kAddressCol, address);
        auto* value = new QTableWidgetItem;
        const bool word = e.location && !e.location->isBit();
        value->setFlags(word ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable
                             : Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(row, kValueCol, value);
        if (word) {
            auto* showAs = new QComboBox(m_table);
            for (int line : {kUnsignedLine, kSignedLine, kHexLine, kBcdLine}) {
                showAs->addItem(dlgtext::label(kGeneratorLabels, line));
            }
            showAs->setCurrentIndex(static_cast<int>(e.display));
            connect(showAs, &QComboBox::currentIndexChanged, this, [this, r](int index) {
                if (m_sim && r < m_sim->watch().entries().size()) {
                    m_sim->watch().entries()[r].display = static_cast<WatchEntry::Display>(index);
                    m_shownRevision = ~uint64_t{0};
                    refreshValues();
                    saveWatchList();
                }
            });
            m_table->setCellWidget(row, kShowAsCol, showAs);
        } else {
            m_table->removeCellWidget(row, kShowAsCol);
            auto* none = new QTableWidgetItem(e.location ? QStringLiteral("0 / 1") : QString());
            none->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            m_table->setItem(row, kShowAsCol, none);
        }
        auto* generator = new QTableWidgetItem(word ? generatorText(e.generator) : QString());
        generator->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        m_table->setItem(row, kGeneratorCol, generator);
    }
    m_updating = false;
    m_shownRevision = ~uint64_t{0};
    refreshValues();
}

void SimulatorWindow::refresh() {
    if (!m_sim) {
        return;
    }
    m_view->setLcd(m_sim->panel().render());
    for (int k = 1; k <= PanelRuntime::kPanelKeys; ++k) {
        m_view->setHeld(k, m_sim->panel().held(k));
    }
    refreshValues();
    refreshAlarms();
    const int screen = m_sim->panel().currentScreen();
    const QString text = QStringLiteral("%1   %2   %3")
                             .arg(label(kScreen, QString::number(screen)), timeText(m_sim->panel().now()),
                                  label(m_running ? kRunning : kPaused));
    if (m_status->text() != text) {
        m_status->setText(text);
    }
}

void SimulatorWindow::refreshValues() {
    if (!m_sim || m_sim->plc().revision() == m_shownRevision) {
        return;
    }
    m_shownRevision = m_sim->plc().revision();
    m_updating = true;
    const std::vector<WatchEntry>& rows = m_sim->watch().entries();
    for (size_t r = 0; r < rows.size() && static_cast<int>(r) < m_table->rowCount(); ++r) {
        QTableWidgetItem* item = m_table->item(static_cast<int>(r), kValueCol);
        if (!item || !rows[r].location) {
            continue;
        }
        // A value being typed is not overwritten under the cursor.
        QWidget* focus = QApplication::focusWidget();
        if (m_table->currentItem() == item && focus && m_table->viewport()->isAncestorOf(focus)) {
            continue;
        }
        const QString text = ui::qs(rows[r].format(m_sim->plc().read(*rows[r].location)));
        if (item->text() != text) {
            item->setText(text);
        }
    }
    m_updating = false;
}

void SimulatorWindow::refreshAlarms() {
    const std::vector<AlarmEvent>& log = m_sim->panel().alarmLog();
    const int64_t last = log.empty() ? -1 : log.back().timeMs;
    if (log.size() == m_shownAlarms && last == m_lastAlarmTime) {
        return;
    }
    m_shownAlarms = log.size();
    m_lastAlarmTime = last;
    m_alarms->clear();
    // The newest change first.
    for (auto it = log.rbegin(); it != log.rend(); ++it) {
        const QString message = static_cast<size_t>(it->group) < m_alarmTexts.size()
                                    ? m_alarmTexts[static_cast<size_t>(it->group)][static_cast<size_t>(it->message)]
                                    : QString();
        auto* item = new QTreeWidgetItem(
            {timeText(it->timeMs), QStringLiteral("%1: %2").arg(label(kGroup, QString::number(it->group + 1)), message),
             label(it->on ? kOn : kOff)});
        if (it->on) {
            item->setForeground(2, QColor(190, 0, 0));
        }
        m_alarms->addTopLevelItem(item);
    }
}

void SimulatorWindow::saveWatchList() {
    if (!m_sim || m_watchPath.empty()) {
        return;
    }
    if (std::optional<Message> m = m_sim->watch().save(m_watchPath)) {
        statusBar()->showMessage(ui::text(*m), 10000);
    }
}

void SimulatorWindow::cellChanged(QTableWidgetItem* item) {
    if (m_updating || !m_sim || item->column() != kValueCol) {
        return;
    }
    const size_t r = static_cast<size_t>(item->row());
    if (r >= m_sim->watch().entries().size()) {
        return;
    }
    const WatchEntry& e = m_sim->watch().entries()[r];
    if (!e.location) {
        return;
    }
    if (std::optional<uint16_t> v = e.parse(ui::str(item->text()))) {
        m_sim->plc().write(*e.location, *v);
        m_sim->panel().settle();
    } else {
        const QString shown = dlgtext::label(kGeneratorLabels, kUnsignedLine + static_cast<int>(e.display));
        m_prompts.show(Message::string(simmsg::kBadValue, {ui::str(item->text()), ui::str(shown)}), Icon::Warning);
    }
    m_shownRevision = ~uint64_t{0};
    refresh();
}

void SimulatorWindow::cellClicked(int row, int column) {
    if (!m_sim || column != kValueCol || row < 0 || static_cast<size_t>(row) >= m_sim->watch().entries().size()) {
        return;
    }
    const WatchEntry& e = m_sim->watch().entries()[static_cast<size_t>(row)];
    if (e.location && e.location->isBit()) {
        // A click toggles a bit.
        m_sim->plc().write(*e.location, m_sim->plc().read(*e.location) ? 0 : 1);
        m_sim->panel().settle();
        refresh();
    }
}

void SimulatorWindow::cellDoubleClicked(int row, int column) {
    if (!m_sim || column != kGeneratorCol || row < 0 || static_cast<size_t>(row) >= m_sim->watch().entries().size()) {
        return;
    }
    WatchEntry& e = m_sim->watch().entries()[static_cast<size_t>(row)];
    if (!e.location || e.location->isBit()) {
        return;
    }
    GeneratorDialog dialog(e.generator, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    m_sim->watch().entries()[static_cast<size_t>(row)].generator = dialog.generator();
    buildTable();
    saveWatchList();
}

void SimulatorWindow::removeRows() {
    if (!m_sim) {
        return;
    }
    std::vector<int> rows;
    for (const QModelIndex& i : m_table->selectionModel()->selectedRows()) {
        rows.push_back(i.row());
    }
    std::sort(rows.rbegin(), rows.rend());
    for (int r : rows) {
        m_sim->watch().remove(static_cast<size_t>(r));
    }
    buildTable();
    saveWatchList();
}

void SimulatorWindow::pressKey(int k) {
    if (m_sim) {
        m_sim->panel().pressKey(k);
        refresh();
    }
}

void SimulatorWindow::releaseKey(int k) {
    if (m_sim) {
        m_sim->panel().releaseKey(k);
        refresh();
    }
}

void SimulatorWindow::closeEvent(QCloseEvent* event) {
    m_timer->stop();
    saveWatchList();
    QMainWindow::closeEvent(event);
}

} // namespace dispcraft
