#pragma once

#include "sim/Simulation.h"

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTableWidgetItem;
class QTimer;
class QTreeWidget;

namespace dispcraft {

class AppContext;
class Prompts;
class SimPanelView;
struct ProjectStore;

// The panel simulator: the project's download image running on the panel picture, its keys
// taken from the mouse and the PC keyboard, a PLC memory table whose rows can be edited,
// toggled and driven by generators, the alarm list, and a status line. Simulated time runs at
// the PC's pace, 100 ms per timer tick, and can be paused. The memory table is kept beside the
// project as NAME.sim.json.
class SimulatorWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kTickMs = 100;

    SimulatorWindow(AppContext& app, Prompts& prompts, QWidget* parent = nullptr);
    ~SimulatorWindow() override;

    // Builds the project and powers the panel on its image; on a restart the PLC memory and the
    // memory table carry over. When the build stops, its message is shown, the earlier run (if
    // any) goes on, and the result is false.
    bool start(const ProjectStore& store);

    bool running() const { return m_running; }
    void setRunning(bool running);
    // One timer tick: simulated time passes when running, then everything shown is brought up
    // to date.
    void tick();

    // For tests and screenshots.
    Simulation* simulation() { return m_sim.get(); }
    SimPanelView* panelView() const { return m_view; }
    QTableWidget* memoryTable() const { return m_table; }
    QTreeWidget* alarmList() const { return m_alarms; }
    QLineEdit* addressEdit() const { return m_address; }
    QString statusText() const;
    // Adds a memory table row from its address text; the message when it is no address.
    std::optional<Message> addRow(const std::string& address);

signals:
    // F5: the main window stores its screen windows and calls start() again.
    void rebuildRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTable();
    void refresh();
    void refreshValues();
    void refreshAlarms();
    void saveWatchList();
    void cellChanged(QTableWidgetItem* item);
    void cellClicked(int row, int column);
    void cellDoubleClicked(int row, int column);
    void removeRows();
    void pressKey(int k);
    void releaseKey(int k);

    AppContext& m_app;
    Prompts& m_prompts;
    std::unique_ptr<Simulation> m_sim;
    std::string m_watchPath;
    std::vector<std::vector<QString>> m_alarmTexts; // per group, per message
    bool m_running = true;
    bool m_updating = false;
    uint64_t m_shownRevision = ~uint64_t{0};
    size_t m_shownAlarms = ~size_t{0};
    int64_t m_lastAlarmTime = -1;

    SimPanelView* m_view;
    QTableWidget* m_table;
    QLineEdit* m_address;
    QTreeWidget* m_alarms;
    QLabel* m_status;
    QAction* m_runAction;
    QTimer* m_timer;
};

} // namespace dispcraft
