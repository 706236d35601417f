// The result window "Результаты расчета": a passive display that other windows fill.
#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

class TResultForm : public QDialog {
    Q_OBJECT
public:
    explicit TResultForm(QWidget* parent = nullptr);

    QTabWidget* ResultPageControl = nullptr;
    QWidget* TransTabSheet = nullptr;
    QWidget* LineTabSheet = nullptr;
    QWidget* DefenceTabSheet = nullptr;
    QPushButton* BitBtn1 = nullptr;

    // Tab "Трансформатор"
    QLabel* StLabel = nullptr;
    QLabel* WindKindLabel = nullptr;
    QLabel* RtLabel = nullptr;
    QLabel* XtLabel = nullptr;
    QLabel* ZtLabel = nullptr;
    // Tab "Линия": RLine1Label..RLine6Label at index 0..5, and the totals
    std::array<QLabel*, 6> RLineLabels{};
    std::array<QLabel*, 6> XLineLabels{};
    std::array<QLabel*, 6> ZLineLabels{};
    QLabel* RLineLabel = nullptr;
    QLabel* XLineLabel = nullptr;
    QLabel* ZLineLabel = nullptr;
    // Tab "Аппарат защиты"
    QLabel* TypeDDLabel = nullptr;
    QLabel* ToknomLabel = nullptr;
    QLabel* KZLabel = nullptr;
    QLabel* TokSRLabel = nullptr;
    QLabel* TimeSRLabel = nullptr;
    QLabel* StatusDDLabel = nullptr;
    QLabel* FuseWarningLabel = nullptr;  // a fuse row below its gG gate; empty otherwise
    // Summary
    QLabel* RotherLabel = nullptr;
    QLabel* RsumLabel = nullptr;
    QLabel* XsumLabel = nullptr;
    QLabel* ZsumLabel = nullptr;
    QLabel* IokzrezLabel = nullptr;

private:
    void CreateTransTab();
    void CreateLineTab();
    void CreateDefenceTab();
    void CreateSummary();
};

extern TResultForm* ResultForm;
