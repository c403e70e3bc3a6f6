#pragma once

// A window's control found by its object name, the way the tests meet every window: the names
// are those of the control table. A control that is missing stops the test program at once,
// with the name, rather than crashing on a null pointer later.

#include <QAbstractButton>
#include <QComboBox>
#include <QObject>
#include <QString>
#include <QtGlobal>
#include <type_traits>

namespace norvane::uitest {

template <class Control, class Owner> Control* control(const Owner& owner, const char* name)
{
    const QObject* window = nullptr;
    if constexpr (std::is_base_of_v<QObject, Owner>)
        window = &owner;
    else
        window = &*owner;
    auto* found = window->template findChild<Control*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no control named %s of the expected kind", name);
    return found;
}

// Chooses the item of a box by its text, as the box shows it ("  COM3", "115200").
template <class Owner> void choose(const Owner& owner, const char* box, const char* item)
{
    auto* found = control<QComboBox>(owner, box);
    found->setCurrentIndex(found->findText(QString::fromLatin1(item)));
}

template <class Owner> void click(const Owner& owner, const char* name)
{
    control<QAbstractButton>(owner, name)->click();
}

} // namespace norvane::uitest
