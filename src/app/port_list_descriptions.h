#pragma once

#include <QObject>

class QComboBox;

namespace norvane {

// Makes the port list say where each COM name leads: every item's tooltip and accessible
// description, and the list's own for the chosen item, e.g. "COM65 = /dev/ttyACM0 (Example Corp
// GNSS Receiver)". Devices come and go, so the texts are read again whenever the user is about
// to look (hovering, pressing, keys, focus); a new selection takes its item's text. Owned by
// the list.
class PortListDescriptions : public QObject {
public:
    explicit PortListDescriptions(QComboBox* portList);

    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void describeChosenItem();

    QComboBox* portList_;
};

} // namespace norvane
