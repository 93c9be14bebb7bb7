#include "app/ScreenWindow.h"

#include "app/AppContext.h"
#include "app/CommandIcons.h"
#include "app/Commands.h"
#include "app/MainWindow.h"
#include "app/ObjectDialogs.h"
#include "app/Prompts.h"
#include "app/ScreenCanvas.h"
#include "app/UiText.h"
#include "document/ChangeRecorder.h"
#include "document/ProjectDocument.h"
#include "editor/ClipboardBlock.h"
#include "editor/EditorMessages.h"
#include "editor/UndoMessages.h"
#include "editor/ScreenRenderer.h"
#include "forms/FormMessages.h"
#include "image/PanelGlyphs.h"
#include "model/ProjectStore.h"
#include "text/Gb2312.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QTimer>

#include <iterator>
#include <string>

namespace dispcraft {

using namespace command;

ScreenWindow::ScreenWindow(MainWindow& main) : QMdiSubWindow(nullptr), m_main(main) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(commandIcon(command::kNewScreen));
    setObjectName(QStringLiteral("screenWindow"));
    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scroll->setFrameShape(QFrame::NoFrame);
    setWidget(m_scroll);
    buildSession();
    updateTitle();
}

ScreenWindow::~ScreenWindow() {
    // The canvas refers to the session: it goes first.
    delete m_scroll->takeWidget();
}

Prompts& ScreenWindow::prompts() { return m_main.prompts(); }

UndoHistory& ScreenWindow::history() { return m_main.document().history(); }

void ScreenWindow::markStored() {
    m_session->screen().setStoredMark(history().stateMark(historyKey()));
    // Storing deselects: the marks go from the view too.
    m_session->screen().invalidateLcdMarks();
}

void ScreenWindow::syncModified() {
    if (history().stateMark(historyKey()) == m_session->screen().storedMark()) {
        m_session->screen().clearModified();
    } else {
        m_session->screen().setModified();
    }
    setWindowModified(modified());
}

void ScreenWindow::buildSession() {
    if (QWidget* old = m_scroll->takeWidget()) {
        delete old;
    }
    ProjectStore& st = m_main.store();
    const ProgramDirectory& dir = m_main.app().dir();
    m_session = std::make_unique<EditorSession>(st, dir, m_main.prompts());
    m_session->setUndoSink(&m_main.document().history());
    m_picture = ScreenRenderer::loadPanelPicture(st, dir);
    m_renderer = std::make_unique<ScreenRenderer>(m_picture ? &*m_picture : nullptr,
                                                  &m_main.app().glyphs());
    Gb2312::Result placeholder = Gb2312::fromUtf8(LanguageStrings::current().text(editormsg::kWeekdayPlaceholder));
    if (placeholder.ok) {
        m_renderer->setShortFormPlaceholder(placeholder.text);
    }
    m_canvas = new ScreenCanvas(*m_session, *m_renderer);
    m_scroll->setWidget(m_canvas);
    connect(m_canvas, &ScreenCanvas::statusText, this, &ScreenWindow::statusText);
    connect(m_canvas, &ScreenCanvas::editRequested, this, &ScreenWindow::edit);
    connect(m_canvas, &ScreenCanvas::contextMenuRequested, this, &ScreenWindow::showContextMenu);
    connect(m_canvas, &ScreenCanvas::sessionChanged, this, [this] {
        setWindowModified(modified());
        emit stateChanged();
        // The first drawing without a panel picture said so; the window then closes.
        if (m_session->screen().closeRequested()) {
            QTimer::singleShot(0, this, [this] { closeQuietly(); });
        }
    });
    m_canvas->refresh(true);
    if (m_session->screen().closeRequested()) {
        QTimer::singleShot(0, this, [this] { closeQuietly(); });
    }
}

ScreenContents::OpenResult ScreenWindow::loadScreen(int s) {
    ScreenContents::OpenResult r = m_session->screen().loadScreen(s);
    markStored();
    updateTitle();
    m_canvas->refresh(true);
    return r;
}

void ScreenWindow::reload(bool forget) {
    const int s = screenNo();
    if (forget) {
        history().forgetWindow(historyKey());
    }
    const bool owner = m_session->clipboard().owner();
    buildSession();
    m_session->clipboard().setOwner(owner);
    if (m_session->screen().loadScreen(s) != ScreenContents::OpenResult::Opened) {
        closeQuietly();
        return;
    }
    markStored();
    updateTitle();
    m_canvas->refresh(true);
}

void ScreenWindow::updateTitle() {
    setWindowTitle(ui::text(m_session->screen().title()) + QStringLiteral("[*]"));
    setWindowModified(modified());
}

void ScreenWindow::afterEdit() {
    m_canvas->refresh();
    setWindowModified(modified());
    emit stateChanged();
}

bool ScreenWindow::isViewCommand(int id) {
    switch (id) {
    case kPlaceTextString:
    case kPlaceMsgDisp:
    case kPlaceNumDisp:
    case kPlaceShortNumDisp:
    case kPlaceBarGraph:
    case kPlaceTrendGraph:
    case kPlaceLamp:
    case kPlacePicture:
    case kSelectTool:
    case kDelete:
    case kRedraw:
    case kRemoveScreen:
    case kSummary:
    case kCopy:
    case kCut:
    case kPaste:
    case kClose:
    case kSave:
    case kSaveAs:
    case kSelectAll: return true;
    default:
        for (int align : kAlignCommands) {
            if (id == align) {
                return true;
            }
        }
        return false;
    }
}

bool ScreenWindow::commandEnabled(int id) const {
    switch (id) {
    case kPlaceTextString:
    case kPlaceMsgDisp:
    case kPlaceNumDisp:
    case kPlaceShortNumDisp:
    case kPlaceBarGraph:
    case kPlaceTrendGraph:
    case kPlaceLamp:
    case kPlacePicture:
        if (!ObjectDialogs::instance().hasPlacement(id)) {
            return false;
        }
        break;
    default: break;
    }
    return m_session->commandEnabled(id, m_main.clipboardHasBlock());
}

void ScreenWindow::runCommand(int id) {
    switch (id) {
    case kSelectTool: m_session->pointer().selectTool(); break;
    case kDelete: m_session->deleteSelected(); break;
    case kRedraw: m_session->screen().invalidateAll(false); break;
    case kRemoveScreen: removeScreen(); return;
    case kSummary: summary(); break;
    case kCopy: copy(false); break;
    case kCut: copy(true); break;
    case kPaste: paste(); break;
    case kClose: close(); return;
    case kSave: save(); break;
    case kSaveAs: saveAs(); break;
    case kSelectAll: m_session->selectAll(); break;
    default:
        for (size_t i = 0; i < std::size(kAlignCommands); ++i) {
            if (id == kAlignCommands[i]) {
                m_session->align(static_cast<Alignment>(i));
                afterEdit();
                m_canvas->setFocus();
                return;
            }
        }
        if (ObjectDialogs::instance().hasPlacement(id) && m_session->screen().objects().anySelected()) {
            // The placement clears the selection: its marks go now, not after the dialog.
            m_session->screen().deselectAll();
            m_session->screen().invalidateLcdMarks();
            m_canvas->refresh();
            m_canvas->repaint();
        }
        if (ObjectDialogs::instance().place(*this, id)) {
            m_armedPlacement = id;
            // The placement tool's cursor shows at once, before the pointer moves.
            m_canvas->syncCursor();
        }
        break;
    }
    afterEdit();
    if (id != kSave && id != kSaveAs) {
        m_canvas->setFocus();
    }
}

void ScreenWindow::edit(const EditRequest& request) {
    // Whatever the dialog changes, in the window and in the project, is one step.
    Message name;
    switch (request.target) {
    case EditRequest::Target::None: return;
    case EditRequest::Target::Object:
        name = undomsg::withKindName(undomsg::kEditObject, request.kind);
        break;
    case EditRequest::Target::PanelKey: name = Message::string(undomsg::kEditKey); break;
    case EditRequest::Target::FunctionKey:
        name = Message::string(undomsg::kEditFunctionKey, {std::to_string(request.index + 1)});
        break;
    }
    ChangeRecorder change(history(), m_main.store());
    change.watch(m_session->screen());
    ObjectDialogs::instance().edit(*this, request);
    change.commit(name);
    afterEdit();
}

void ScreenWindow::showContextMenu(const QPoint& globalPos) {
    QMenu menu(this);
    auto add = [&](std::initializer_list<int> ids) {
        for (int id : ids) {
            if (id == 0) {
                menu.addSeparator();
            } else if (QAction* a = m_main.action(id)) {
                menu.addAction(a);
            }
        }
    };
    m_main.updateCommandStates();
    add({kSelectTool, 0, kPlaceTextString, kPlaceMsgDisp, kPlaceNumDisp, kPlaceShortNumDisp,
         kPlaceBarGraph, kPlaceTrendGraph, kPlaceLamp, kPlacePicture, 0, kCut, kCopy, kPaste,
         kDelete, 0, kRedraw, kSummary, 0, kSave, kSaveAs, kRemoveScreen, kClose});
    menu.exec(globalPos);
}

void ScreenWindow::copy(bool cut) {
    std::vector<uint8_t> block = cut ? m_session->cutBlock() : m_session->clipboard().copyBlock();
    if (block.empty()) {
        return;
    }
    m_main.publishClipboard(*this, block);
}

void ScreenWindow::paste() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) {
        m_session->screen().deselectAll();
        m_session->screen().setModified();
        prompts().show(Message::string(editormsg::kClipboardUnavailable), Icon::Warning);
        return;
    }
    const QByteArray bytes = data->data(QString::fromLatin1(ClipboardBlock::kFormat));
    m_session->paste(reinterpret_cast<const uint8_t*>(bytes.constData()),
                     static_cast<size_t>(bytes.size()));
}

void ScreenWindow::summary() {
    std::string text;
    for (const Message& part : m_session->screen().summaryParts()) {
        text += LanguageStrings::current().format(part);
    }
    prompts().showText(Message::text(text), Icon::Information, ScreenContents::kSummaryCaption);
}

void ScreenWindow::removeScreen() {
    const int s = screenNo();
    if (s != 0 && prompts().ask(Message::string(formmsg::kDeleteScreen, {std::to_string(s)}), Buttons::YesNoDefaultNo) !=
                      Answer::Yes) {
        return;
    }
    // Undone, the screen comes back and its window opens again.
    ChangeRecorder change(history(), m_main.store());
    change.showWindows(s, 0);
    m_session->screen().removeScreen();
    change.commit(Message::string(undomsg::kRemoveScreen, {std::to_string(s)}));
    m_main.refreshWorkspace();
    closeQuietly();
}

bool ScreenWindow::save() {
    m_session->screen().deselectAll();
    return m_main.saveProject(MainWindow::SaveFrom::Editor);
}

bool ScreenWindow::saveAs() {
    // The screen goes into the project under the number chosen now; the project file is
    // written by a save, so an untitled project asks for no file name here.
    ProjectStore& st = m_main.store();
    m_session->screen().deselectAll();
    if (!m_main.chooseScreenNumber(*this, true)) {
        return false;
    }
    m_session->screen().storeScreen();
    markStored();
    st.treeChanged = true;
    updateTitle();
    m_main.refreshWorkspace();
    return true;
}

void ScreenWindow::closeQuietly() {
    m_quiet = true;
    close();
}

void ScreenWindow::closeEvent(QCloseEvent* event) {
    if (m_closed) {
        event->accept();
        return;
    }
    if (!m_quiet && modified()) {
        const Answer a = prompts().ask(Message::string(editormsg::kSaveScreenChanges), Buttons::YesNoCancel);
        if (a == Answer::Cancel) {
            event->ignore();
            return;
        }
        if (a == Answer::Yes) {
            // Nothing written (the file dialog or the number dialog cancelled): the window
            // stays, so its edits are not lost.
            if (!save() || modified()) {
                event->ignore();
                return;
            }
        }
    }
    if (modified()) {
        // Closed without storing: the window's edits are thrown away, and so are their steps.
        history().forgetWindow(historyKey());
        m_session->screen().clearModified();
    }
    if (m_session->clipboard().owner()) {
        m_main.emptyClipboard();
    }
    m_session->screen().windowClosed();
    m_closed = true;
    QMdiSubWindow::closeEvent(event);
    emit stateChanged();
}

} // namespace dispcraft
