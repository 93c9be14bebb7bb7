#pragma once

#include <QStringList>
#include <QWidget>

class QVBoxLayout;

namespace dispcraft {

class MainWindow;

// What the main window shows while no project is open: New Project and Open, the recent
// projects and the example projects, each one click away.
class StartPane : public QWidget {
    Q_OBJECT
public:
    explicit StartPane(MainWindow& main, QWidget* parent = nullptr);

    // Renews the recent and example lists (shown again after a project was closed).
    void refresh();

    // The example projects beside the program: "examples" in the program directory, or beside
    // it (the build tree). Sorted by name.
    static QStringList exampleProjects(const QString& programDirectory);

private:
    void addHeading(QVBoxLayout* layout, int textId);

    MainWindow& m_main;
    QVBoxLayout* m_recent = nullptr;
    QVBoxLayout* m_examples = nullptr;
};

} // namespace dispcraft
