// The texts that a calculation puts on screen: the failure texts of the main window and the
// figures of a successful result for the main window and the result window.
#pragma once

#include <QString>
#include <array>

#include "Numbers.h"
#include "ShortCircuit.h"

// Main-window texts after a calculation that stopped on an input.
inline const QString FailureIokzText = QStringLiteral("Не хватает данных для расчета!");
inline const QString FailureStatusDDText = QStringLiteral("Выполните расчет тока однофазного короткого замыкания");

// The error box of a number beyond the range of a double.
inline const QString OverflowText = QStringLiteral("Floating point overflow");

// Every text a successful calculation writes, named after the label that receives it.
struct PublishedTexts {
    QString Iokz;  // IokzLabel of the main window and IokzrezLabel of the result window
    QString St, WindKind, Rt, Xt, Zt;
    std::array<QString, LineSectionCount> RLine, XLine, ZLine;
    QString RLineSum, XLineSum, ZLineSum;
    QString Rother, Rsum, Xsum, Zsum;
};

// The texts of `result`; `powerText` and `windKindText` are the main window's texts as typed.
PublishedTexts ComposePublishedTexts(const ShortCircuitResult& result, const QString& powerText,
                                     const QString& windKindText, const NumberSeparators& separators);
