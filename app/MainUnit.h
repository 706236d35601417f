// The main window "Зорант 2.1": the network inputs, the calculation and the hub of all commands.
#pragma once

#include <QMainWindow>

#include "ShortCircuit.h"

class QLabel;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    // Written by other windows through the global instance.
    QLabel* IokzLabel = nullptr;
    QLabel* StatusDDLabel = nullptr;
};

extern TMainForm* MainForm;

// The last successful calculation; Iokz = 0 until one has succeeded.
extern ShortCircuitResult SharedResult;
