#include "ResultUnit.h"

#include <QLabel>

TResultForm* ResultForm = nullptr;

namespace {
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}
}  // namespace

TResultForm::TResultForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ResultForm"));
    setWindowTitle(QStringLiteral("Результаты расчета"));
    const QString dashes = QStringLiteral("---");
    StLabel = MakeLabel(this, "StLabel", QStringLiteral("Sном=___ кВ*А"));
    WindKindLabel = MakeLabel(this, "WindKindLabel", QStringLiteral("Y/Y-0"));
    RtLabel = MakeLabel(this, "RtLabel", QStringLiteral("Rт=___ мОм"));
    XtLabel = MakeLabel(this, "XtLabel", QStringLiteral("Xт=___ мОм"));
    ZtLabel = MakeLabel(this, "ZtLabel", QStringLiteral("Zт=___ мОм"));
    for (int i = 0; i < 6; ++i) {
        RLineLabels[i] = MakeLabel(this, QStringLiteral("RLine%1Label").arg(i + 1).toLatin1().constData(), dashes);
        XLineLabels[i] = MakeLabel(this, QStringLiteral("XLine%1Label").arg(i + 1).toLatin1().constData(), dashes);
        ZLineLabels[i] = MakeLabel(this, QStringLiteral("ZLine%1Label").arg(i + 1).toLatin1().constData(), dashes);
    }
    RLineLabel = MakeLabel(this, "RLineLabel", dashes);
    XLineLabel = MakeLabel(this, "XLineLabel", dashes);
    ZLineLabel = MakeLabel(this, "ZLineLabel", dashes);
    TypeDDLabel = MakeLabel(this, "TypeDDLabel", dashes);
    ToknomLabel = MakeLabel(this, "ToknomLabel", dashes);
    KZLabel = MakeLabel(this, "KZLabel", dashes);
    TokSRLabel = MakeLabel(this, "TokSRLabel", dashes);
    TimeSRLabel = MakeLabel(this, "TimeSRLabel", dashes);
    StatusDDLabel = MakeLabel(this, "StatusDDLabel", QStringLiteral("в расчете не определен."));
    RotherLabel = MakeLabel(this, "RotherLabel", QStringLiteral("Rпр="));
    RsumLabel = MakeLabel(this, "RsumLabel", QStringLiteral("Rф-н=___ мОм"));
    XsumLabel = MakeLabel(this, "XsumLabel", QStringLiteral("Xф-н=___ мОм"));
    ZsumLabel = MakeLabel(this, "ZsumLabel", QStringLiteral("Zф-н=___ мОм"));
    IokzrezLabel = MakeLabel(this, "IokzrezLabel", QStringLiteral("Ток однофазного короткого замыкания равен --- А "));
}
