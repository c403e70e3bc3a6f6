#pragma once

#include <QWidget>

class QFrame;
class QPushButton;

namespace norvane {

class PointChart;

// The view-point window: recent positions on a point chart with zoom and clearing. It has no
// close button; the main window's bt_point shows and hides it.
class Tviewp : public QWidget {
    Q_OBJECT

public:
    explicit Tviewp(QWidget* parent = nullptr);

    // Adds the newest position; the texts are those of td_lati_sat and td_longi_sat.
    void plotViewPoint(const QString& latitudeText, const QString& longitudeText, double latitude,
                       double longitude);

signals:
    // bt_accuracy: the main window opens the Position Accuracy window.
    void accuracyClicked();

public slots:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void connectHandlers();

    QFrame* Bevel1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* bt_accuracy = nullptr;
    PointChart* Chart1 = nullptr;
};

} // namespace norvane
