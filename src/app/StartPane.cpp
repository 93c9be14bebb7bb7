#include "app/StartPane.h"

#include "app/AppContext.h"
#include "app/AppMessages.h"
#include "app/CommandIcons.h"
#include "app/Commands.h"
#include "app/MainWindow.h"
#include "app/UiText.h"
#include "document/ProjectDocument.h"

#include <QAction>
#include <QCommandLinkButton>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace dispcraft {

namespace {

void clear(QVBoxLayout* layout) {
    while (QLayoutItem* item = layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

QString plainCaption(int command) {
    return ui::caption(command).remove(QLatin1Char('&'));
}

} // namespace

StartPane::StartPane(MainWindow& main, QWidget* parent) : QWidget(parent), m_main(main) {
    setObjectName(QStringLiteral("startPane"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);

    auto* column = new QWidget;
    column->setMaximumWidth(560);
    auto* layout = new QVBoxLayout(column);
    auto* title = new QLabel(ui::text(appmsg::kProgramName), column);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);
    layout->addWidget(new QLabel(ui::text(appmsg::kStartSubtitle), column));
    layout->addSpacing(12);

    // The two commands as the menu has them (same action, same rule).
    for (int command : {command::kNewProject, command::kOpenProject}) {
        auto* button = new QCommandLinkButton(plainCaption(command), ui::tip(command), column);
        button->setObjectName(QStringLiteral("start%1").arg(command));
        button->setIcon(commandIcon(command));
        connect(button, &QCommandLinkButton::clicked, this, [this, command] {
            // Posted: the pane goes away while the command runs.
            QTimer::singleShot(0, &m_main,
                               [main = &m_main, command] { main->runCommand(command); });
        });
        layout->addWidget(button);
    }
    addHeading(layout, appmsg::kStartRecent);
    m_recent = new QVBoxLayout;
    layout->addLayout(m_recent);
    addHeading(layout, appmsg::kStartExamples);
    m_examples = new QVBoxLayout;
    layout->addLayout(m_examples);
    layout->addStretch(1);

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* centred = new QWidget;
    auto* row = new QHBoxLayout(centred);
    row->addStretch(1);
    row->addWidget(column, 3);
    row->addStretch(1);
    scroll->setWidget(centred);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 24, 0, 0);
    outer->addWidget(scroll);
    refresh();
}

void StartPane::addHeading(QVBoxLayout* layout, int textId) {
    layout->addSpacing(12);
    auto* heading = new QLabel(ui::text(textId));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
}

QStringList StartPane::exampleProjects(const QString& programDirectory) {
    for (const QString& where : {programDirectory + QStringLiteral("/examples"),
                                 programDirectory + QStringLiteral("/../examples")}) {
        const QDir dir(where);
        const QFileInfoList found =
            dir.entryInfoList({QStringLiteral("*.trn")}, QDir::Files | QDir::Readable, QDir::Name);
        if (!found.isEmpty()) {
            QStringList paths;
            for (const QFileInfo& f : found) {
                paths << f.canonicalFilePath();
            }
            return paths;
        }
    }
    return {};
}

void StartPane::refresh() {
    clear(m_recent);
    for (int k = 1; k <= 4; ++k) {
        const QString path = ui::qs(m_main.document().recentPath(k));
        if (path.isEmpty()) {
            continue;
        }
        auto* button = new QCommandLinkButton(QFileInfo(path).fileName(), path);
        button->setObjectName(QStringLiteral("recent%1").arg(k));
        button->setIcon(commandIcon(command::kOpenProject));
        connect(button, &QCommandLinkButton::clicked, this, [this, k] {
            QTimer::singleShot(0, &m_main, [main = &m_main, k] { main->openProject(k); });
        });
        m_recent->addWidget(button);
    }
    if (m_recent->count() == 0) {
        m_recent->addWidget(new QLabel(ui::text(appmsg::kStartNoRecent)));
    }

    clear(m_examples);
    int n = 0;
    for (const QString& path : exampleProjects(ui::qs(m_main.app().dir().path()))) {
        auto* button = new QCommandLinkButton(QFileInfo(path).completeBaseName(),
                                              ui::text(appmsg::kStartExampleTip));
        button->setObjectName(QStringLiteral("example%1").arg(++n));
        button->setToolTip(path);
        button->setIcon(commandIcon(command::kOpenProject));
        connect(button, &QCommandLinkButton::clicked, this, [this, path] {
            QTimer::singleShot(0, &m_main, [main = &m_main, path] { main->openExample(path); });
        });
        m_examples->addWidget(button);
    }
    if (n == 0) {
        m_examples->addWidget(new QLabel(ui::text(appmsg::kStartNoExamples)));
    }
}

} // namespace dispcraft
