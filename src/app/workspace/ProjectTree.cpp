#include "app/workspace/ProjectTree.h"

#include "app/AppContext.h"
#include "app/CommandIcons.h"
#include "app/Commands.h"
#include "app/MainWindow.h"
#include "app/Prompts.h"
#include "app/ScreenWindow.h"
#include "app/UiText.h"
#include "app/dialogs/PortParamDialog.h"
#include "app/workspace/TreeDialogs.h"
#include "app/workspace/ScreenObjectItems.h"
#include "app/workspace/TreeIcons.h"
#include "app/ProjectTools.h"
#include "config/PanelModelFile.h"
#include "forms/FormMessages.h"
#include "document/ChangeRecorder.h"
#include "document/ProjectDocument.h"
#include "editor/UndoMessages.h"
#include "forms/WorkspaceExchange.h"
#include "model/ProjectStore.h"
#include "text/Gb2312.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

namespace dispcraft {

namespace {

// Texts of the panel model file and the protocol files: GB2312 as a Windows tool wrote them,
// or already UTF-8.
QString iniText(const std::string& bytes) {
    const QString utf8 = QString::fromUtf8(bytes);
    if (!utf8.contains(QChar::ReplacementCharacter)) {
        return utf8;
    }
    return ui::qs(Gb2312::toUtf8Lossy(bytes));
}

} // namespace

ProjectTree::ProjectTree(MainWindow& main, QWidget* parent)
    : WorkspaceTree(kFirstCaption, 13, treeicons::projectList(), parent), m_main(main) {
    setObjectName(QStringLiteral("projectTree"));
    m_delete = new QAction(ui::caption(kDeleteScreenCommand), this);
    m_delete->setObjectName(QStringLiteral("cmd%1").arg(kDeleteScreenCommand));
    m_delete->setStatusTip(ui::tip(kDeleteScreenCommand));
    connect(m_delete, &QAction::triggered, this, [this] {
        if (m_menuScreen != 0) {
            deleteScreen(m_menuScreen);
        }
    });
    // A screen's objects are listed when its item is first opened.
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (const int s = screenOf(item); s != 0 && item->text(0).startsWith(QStringLiteral("B:"))) {
            screenobjects::fill(item, m_main.store(), s);
        }
    });
}

QString ProjectTree::screenCaption(int screen, const QString& name) {
    return QStringLiteral("B:%1 ").arg(screen) + name;
}

int ProjectTree::screenOf(const QTreeWidgetItem* item) {
    if (!item) {
        return 0;
    }
    const QString text = item->text(0);
    if (!text.startsWith(QLatin1Char('B'))) {
        return 0;
    }
    // The number from the third character up to the first blank.
    int n = 0;
    for (qsizetype i = 2; i < text.size() && text[i].isDigit() && n <= 1000; ++i) {
        n = n * 10 + text[i].digitValue();
    }
    return n >= capacity::kFirstScreen && n <= capacity::kLastScreen ? n : 0;
}

QTreeWidgetItem* ProjectTree::screenItem(int screen) const {
    for (QTreeWidgetItemIterator it(const_cast<ProjectTree*>(this)); *it; ++it) {
        if (screenOf(*it) == screen && (*it)->text(0).startsWith(QStringLiteral("B:"))) {
            return *it;
        }
    }
    return nullptr;
}

void ProjectTree::addScreens(QTreeWidgetItem* root) {
    const ProjectStore& st = m_main.store();
    // A command rather than a screen: the command's picture, its tip, and set apart in
    // italics, so that nobody takes it for a screen named "New screen".
    QTreeWidgetItem* command = addItem(root, caption(kNewScreen), 1);
    command->setIcon(0, commandIcon(command::kNewScreen));
    QFont italic = font();
    italic.setItalic(true);
    command->setFont(0, italic);
    command->setToolTip(0, ui::text(appmsg::kNewScreenTip));
    for (int n = capacity::kFirstScreen; n <= capacity::kLastScreen; ++n) {
        if (st.screenExists(n)) {
            const QString name =
                ui::qs(Gb2312::toUtf8Lossy(st.entries[static_cast<size_t>(n)].nameString()));
            screenobjects::prepare(addItem(root, screenCaption(n, name), 1), st, n);
        }
    }
    root->setExpanded(true);
}

void ProjectTree::rebuild() {
    setUpdatesEnabled(false);
    clear();
    const ProjectStore& st = m_main.store();
    if (st.projectOpen) {
        QTreeWidgetItem* screens = addItem(nullptr, caption(kScreens), 0, true);
        addScreens(screens);

        QTreeWidgetItem* pictures = addItem(nullptr, caption(kPictures), 0, true);
        addItem(pictures, caption(kPictureList), 1);
        pictures->setExpanded(true);

        QTreeWidgetItem* alarms = addItem(nullptr, caption(kAlarms), 0, true);
        if (st.alarmGroupCount < 2) {
            addItem(alarms, caption(kAlarmGroup), 2);
        } else {
            addItem(alarms, caption(kAlarmGroup) + QLatin1Char('1'), 2);
            addItem(alarms, caption(kAlarmGroup) + QLatin1Char('2'), 2);
        }
        alarms->setExpanded(true);

        QTreeWidgetItem* device = addItem(nullptr, caption(kDevice), 0, true);
        const std::string modelFile =
            st.modelFilePath.empty() ? m_main.app().dir().modelFile() : st.modelFilePath;
        const QString model = iniText(PanelModelFile(modelFile).treeName(st.modelTitle));
        addItem(device, caption(kModel) + QLatin1Char(':') + model, 5);
        addItem(device, caption(kControlSettings), 3);
        addItem(device, caption(kCom1Link) + QLatin1Char(':') + iniText(st.com1LinkName), 4);
        if (st.cpu().hasCom2()) {
            addItem(device, caption(kCom2Link) + QLatin1Char(':') + iniText(st.com2LinkName), 4);
            addItem(device, caption(kDataExchange), 3);
        }
        device->setExpanded(true);
        screens->setExpanded(true);
        scrollToTop();
    }
    setUpdatesEnabled(true);
}

void ProjectTree::refreshScreens() {
    setUpdatesEnabled(false);
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* root = topLevelItem(i);
        if (!sameStart(root->text(0), caption(kScreens), 8)) {
            continue;
        }
        // Screens whose objects were shown show them again, as they are stored now.
        QList<int> open;
        for (int c = 0; c < root->childCount(); ++c) {
            if (root->child(c)->isExpanded()) {
                open << screenOf(root->child(c));
            }
        }
        qDeleteAll(root->takeChildren());
        addScreens(root);
        for (int s : open) {
            if (QTreeWidgetItem* item = screenItem(s)) {
                item->setExpanded(true);
            }
        }
    }
    setUpdatesEnabled(true);
}

// ---- The double-click ----------------------------------------------------------------------

bool ProjectTree::captionDoubleClicked(QTreeWidgetItem* item) {
    ProjectStore& st = m_main.store();
    if (!st.projectOpen) {
        return true;
    }
    if (auto object = screenobjects::objectOf(item)) {
        m_main.tools().showObject(object->screen, object->kindCode, object->index);
        return true;
    }
    const QString text = item->text(0);
    if (text.startsWith(QLatin1Char('B'))) {
        if (int n = screenOf(item)) {
            m_main.openScreen(n);
        }
        return true;
    }
    auto is = [&](int k, size_t n) { return sameStart(text, caption(k), n); };
    if (is(kNewScreen, 6)) {
        // Posted, as the tree never opens a window inside its own mouse handling.
        QTimer::singleShot(0, &m_main, [main = &m_main] { main->runCommand(command::kNewScreen); });
    } else if (is(kModel, 6)) {
        panelModel();
    } else if (is(kCom1Link, 4)) {
        portParameters(1);
    } else if (is(kCom2Link, 4)) {
        portParameters(2);
    } else if (is(kControlSettings, 6)) {
        panelSettings();
    } else if (is(kAlarmGroup, 6)) {
        alarmGroup(text);
    } else if (is(kScreens, 6)) {
        m_main.screenList();
    } else if (is(kPictures, 6) || is(kPictureList, 6)) {
        pictures();
    } else if (is(kDataExchange, 6)) {
        changeTable();
    } else {
        return false;
    }
    return true;
}

void ProjectTree::changed(ChangeRecorder& change, const Message& name) {
    // The history holds the change: undoing back to the saved state leaves nothing unsaved.
    change.commit(name);
    m_main.updateCommandStates();
}

void ProjectTree::panelModel() {
    ProjectStore& st = m_main.store();
    // Objects move with the LCD: no window may hold working copies meanwhile.
    if (!m_main.screenWindows().isEmpty()) {
        m_main.prompts().show(Message::string(formmsg::kCloseScreensBeforeModel), Icon::Information);
        return;
    }
    PanelModelForm form = WorkspaceExchange::panelModelForm(st, m_main.app().dir());
    ChangeRecorder change(m_main.document().history(), st);
    change.setNeedsClosedWindows();
    if (auto v = treedialogs::panelModel(form, m_main.prompts(), &m_main)) {
        WorkspaceExchange::applyPanelModel(st, m_main.app().dir(), *v);
        changed(change, Message::string(undomsg::kModelAndLinks));
        m_main.rebuildWorkspace();
    }
}

void ProjectTree::portParameters(int port) {
    ProjectStore& st = m_main.store();
    m_main.prompts().show(Message::string(formmsg::kLinksAtNextBuild), Icon::Information);
    PortParamForm form = WorkspaceExchange::portParamForm(st, m_main.app().dir(), port);
    form.open(m_main.prompts());
    PortParamDialog dialog(form, m_main.prompts(), port - 1, &m_main);
    ChangeRecorder change(m_main.document().history(), st);
    if (auto v = dialog.run()) {
        WorkspaceExchange::applyPortParams(st, m_main.app().dir(), port, *v);
        changed(change, Message::string(undomsg::kPortParameters, {std::to_string(port)}));
        m_main.rebuildWorkspace();
    }
}

void ProjectTree::panelSettings() {
    ProjectStore& st = m_main.store();
    PanelSettingsForm form = WorkspaceExchange::panelSettingsForm(st, m_main.app().dir());
    ChangeRecorder change(m_main.document().history(), st);
    if (auto v = treedialogs::panelSettings(form, m_main.prompts(), &m_main)) {
        WorkspaceExchange::applyPanelSettings(st, *v);
        changed(change, Message::string(undomsg::kPanelSettings));
    }
}

void ProjectTree::alarmGroup(const QString& itemCaption) {
    ProjectStore& st = m_main.store();
    const std::string bytes = storedBytes(itemCaption);
    const int group = WorkspaceExchange::alarmGroupOf(st, bytes.empty() ? '\0' : bytes.back());
    AlarmGroupForm form = WorkspaceExchange::alarmGroupForm(st, group);
    ChangeRecorder change(m_main.document().history(), st);
    if (auto v = treedialogs::alarmGroup(form, m_main.prompts(), &m_main)) {
        WorkspaceExchange::applyAlarmGroup(st, group, *v);
        changed(change, Message::string(undomsg::kAlarmGroup, {std::to_string(group + 1)}));
    }
}

void ProjectTree::pictures() {
    ProjectStore& st = m_main.store();
    PictureForm form(PictureForm::presetFrom(st.pictures), 0, 0);
    ChangeRecorder change(m_main.document().history(), st);
    if (auto v = treedialogs::pictures(form, m_main.prompts(), &m_main)) {
        PictureForm::writeBack(v->table, st.pictures);
        changed(change, Message::string(undomsg::kPictures));
        // Picture objects on open screens show the table's dots.
        for (ScreenWindow* w : m_main.screenWindows()) {
            w->runCommand(command::kRedraw);
        }
    }
}

void ProjectTree::changeTable() {
    ProjectStore& st = m_main.store();
    ChangeTableForm form = WorkspaceExchange::changeTableForm(st);
    ChangeRecorder change(m_main.document().history(), st);
    if (auto v = treedialogs::changeTable(form, m_main.prompts(), &m_main)) {
        WorkspaceExchange::applyChangeTable(st, *v);
        changed(change, Message::string(undomsg::kChangeRecords));
    }
}

// ---- The delete command --------------------------------------------------------------------

bool ProjectTree::canDeleteScreen(int screen) const {
    return screen != 0 && WorkspaceExchange::canDeleteScreen(m_main.store(), screen);
}

void ProjectTree::deleteScreen(int screen) {
    if (!canDeleteScreen(screen)) {
        return;
    }
    ChangeRecorder change(m_main.document().history(), m_main.store());
    change.showWindows(screen, 0);
    if (WorkspaceExchange::deleteScreen(m_main.store(), screen, m_main.prompts())) {
        changed(change, Message::string(undomsg::kDeleteScreen, {std::to_string(screen)}));
    }
    m_main.refreshWorkspace();
}

QMenu* ProjectTree::contextMenuFor(QTreeWidgetItem* item) {
    if (!m_main.store().projectOpen) {
        return nullptr;
    }
    if (auto object = screenobjects::objectOf(item)) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("objectItemMenu"));
        QAction* uses = menu->addAction(ui::caption(command::kShowOtherUses));
        uses->setObjectName(QStringLiteral("cmd%1").arg(command::kShowOtherUses));
        uses->setStatusTip(ui::tip(command::kShowOtherUses));
        uses->setEnabled(object->hasAddress);
        const QString address = screenobjects::addressOf(item);
        connect(uses, &QAction::triggered, this, [this, address] { m_main.tools().findAddressUsage(address); });
        return menu;
    }
    m_menuScreen = screenOf(item);
    m_delete->setEnabled(canDeleteScreen(m_menuScreen));
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("projectTreeMenu"));
    menu->addAction(m_delete);
    return menu;
}

} // namespace dispcraft
