#pragma once

#include "control/restart_kind.h"
#include "control/ttff_record.h"
#include "control/ttff_statistics.h"

#include <QWidget>
#include <string>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace norvane {

// "TTFF Results": the restart test's cycles one row each as they finish, the summary per start
// type, the time limit per start type and the run's CSV file. The test window opens it when a
// run starts; it is an ordinary resizable window the user may close at any time.
class TtffResultsWindow : public QWidget {
    Q_OBJECT

public:
    explicit TtffResultsWindow(QWidget* parent = nullptr);

    // A new run: rows cleared, the CSV named (or the reason it could not be made).
    void startRun(const std::string& csvText);
    void addCycle(const TtffRecord& record);
    void showSummary(RestartKind kind, const TtffSummary& summary);
    void showCsvProblem(const std::string& message);
    // The limit field's whole seconds, kept within 1..86400; the default when it holds no number.
    int limitSeconds(RestartKind kind);

private:
    void createControls();
    QLineEdit* limitField(RestartKind kind) const;

    QLabel* lb_csvfile = nullptr;
    QLineEdit* ed_limithot = nullptr;
    QLineEdit* ed_limitwarm = nullptr;
    QLineEdit* ed_limitcold = nullptr;
    QTableWidget* tb_cycles = nullptr;
    QTableWidget* tb_summary = nullptr;
};

} // namespace norvane
