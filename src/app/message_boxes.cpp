#include "app/message_boxes.h"

#include <QDialog>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace norvane {

namespace {

// Result codes of the question dialog; QDialog::Rejected (0) is what the close box gives.
constexpr int kFirstChosen = 1;
constexpr int kSecondChosen = 2;

// A question with two buttons that tells Esc apart from the close box, which a plain message
// box cannot: Esc answers the second button, the close box is its own answer.
class QuestionDialog : public QDialog {
public:
    QuestionDialog(QWidget* owner, const QString& text, const QString& firstButton,
                   const QString& secondButton)
        : QDialog(owner)
    {
        setWindowTitle(applicationTitle());
        auto* first = new QPushButton(firstButton, this);
        auto* second = new QPushButton(secondButton, this);
        first->setDefault(true);
        connect(first, &QPushButton::clicked, this, [this] { done(kFirstChosen); });
        connect(second, &QPushButton::clicked, this, [this] { done(kSecondChosen); });
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(first);
        buttons->addWidget(second);
        buttons->addStretch();
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(text, this));
        layout->addLayout(buttons);
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            done(kSecondChosen);
            return;
        }
        QDialog::keyPressEvent(event);
    }
};

class RealMessageBoxes : public MessageBoxes {
public:
    void inform(QWidget* owner, const QString& text, const QString& caption) override
    {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
        box.exec();
    }

    QuestionAnswer ask(QWidget* owner, const QString& text, const QString& firstButton,
                       const QString& secondButton) override
    {
        QuestionDialog dialog(owner, text, firstButton, secondButton);
        switch (dialog.exec()) {
        case kFirstChosen:
            return QuestionAnswer::First;
        case kSecondChosen:
            return QuestionAnswer::Second;
        default:
            return QuestionAnswer::Closed;
        }
    }

    void showError(QWidget* owner, const QString& message) override
    {
        QMessageBox box(QMessageBox::Critical, applicationTitle(), message, QMessageBox::Ok, owner);
        box.exec();
    }
};

MessageBoxes* installed = nullptr;

} // namespace

void MessageBoxes::showError(QWidget* owner, const QString& message)
{
    inform(owner, message, applicationTitle());
}

QString MessageBoxes::chooseFile(QWidget* owner, const QString& caption, const QString& folder,
                                 const QString& filter)
{
    return QFileDialog::getOpenFileName(owner, caption, folder, filter);
}

QString applicationTitle()
{
    return QStringLiteral("Norvane");
}

MessageBoxes& messageBoxes()
{
    static RealMessageBoxes real;
    return installed ? *installed : real;
}

void setMessageBoxes(MessageBoxes* replacement)
{
    installed = replacement;
}

} // namespace norvane
