// What the benchmarks of the real windows share: message boxes that answer the family question
// with its first button and never wait, and a main() that runs offscreen unless told otherwise.
#pragma once

#include "app/message_boxes.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace norvane::bench {

// Installed for as long as it lives; construct it before the main window, which asks at once.
class AnswerFirst : public MessageBoxes {
public:
    AnswerFirst() { setMessageBoxes(this); }
    ~AnswerFirst() override { setMessageBoxes(nullptr); }
    AnswerFirst(const AnswerFirst&) = delete;
    AnswerFirst& operator=(const AnswerFirst&) = delete;

    void inform(QWidget*, const QString&, const QString&) override {}
    QuestionAnswer ask(QWidget*, const QString&, const QString&, const QString&) override
    {
        return QuestionAnswer::First;
    }
};

} // namespace norvane::bench

#define NORVANE_WINDOW_BENCHMARK_MAIN()                                                                      \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                  \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                         \
        QApplication application(argc, argv);                                                                \
        benchmark::Initialize(&argc, argv);                                                                  \
        benchmark::RunSpecifiedBenchmarks();                                                                 \
        benchmark::Shutdown();                                                                               \
        return 0;                                                                                            \
    }
