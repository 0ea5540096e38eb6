#pragma once

#include "model/Module1.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/Form3.h"
#include "windows/Form4.h"
#include "windows/Form5.h"
#include "windows/Form6.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

// Every test starts as the program does: no window exists and the shared values are 0.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }

    // Runs the event loop as the program's main() does, until the program ends (or 5 s pass).
    static int runProgram()
    {
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, [] {
            ADD_FAILURE() << "the program did not end";
            QCoreApplication::exit(1);
        });
        limit.start(5000);
        return QCoreApplication::exec();
    }

    static void reset()
    {
        delete Form6::existing();
        delete Form3::existing();
        delete Form1::existing();
        delete Form2::existing();
        delete Form4::existing();
        delete Form5::existing();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Module1::Vyska = 0;
        Module1::Hmotnost = 0;
    }
};
