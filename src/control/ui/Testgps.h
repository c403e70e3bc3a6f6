#pragma once

#include <QWidget>

namespace norvane {

// The restart test window.
class TFtest : public QWidget {
    Q_OBJECT

public:
    explicit TFtest(QWidget* parent = nullptr);
};

}  // namespace norvane
