#include "Publication.h"

namespace {

QString Grouped(double value, int decimals, const NumberSeparators& separators)
{
    return QString::fromStdString(FormatGrouped(value, decimals, separators));
}

QString General(double value, const NumberSeparators& separators)
{
    return QString::fromStdString(FormatGeneral(value, separators));
}

const QString Milliohm = QStringLiteral(" мОм");

}  // namespace

PublishedTexts ComposePublishedTexts(const ShortCircuitResult& result, const QString& powerText,
                                     const QString& windKindText, const NumberSeparators& separators)
{
    PublishedTexts texts;
    texts.Iokz = QStringLiteral("Ток однофазного короткого замыкания равен ") +
                 QString::fromStdString(FormatCurrent(result.Iokz, separators)) + QStringLiteral(" А");

    texts.St = QStringLiteral("Sном=") + powerText + QStringLiteral(" кВ*А");
    texts.WindKind = windKindText;
    texts.Rt = QStringLiteral("Rт=") + General(result.Rt, separators) + Milliohm;
    texts.Xt = QStringLiteral("Xт=") + General(result.Xt, separators) + Milliohm;
    texts.Zt = QStringLiteral("Zт=") + Grouped(result.Zt, 2, separators) + Milliohm;

    for (int n = 0; n < LineSectionCount; ++n) {
        texts.RLine[n] = Grouped(result.RLine[n], 2, separators);
        texts.XLine[n] = Grouped(result.XLine[n], 2, separators);
        texts.ZLine[n] = Grouped(result.ZLine[n], 2, separators);
    }
    texts.RLineSum = Grouped(result.RLineSum, 2, separators);
    texts.XLineSum = Grouped(result.XLineSum, 2, separators);
    texts.ZLineSum = Grouped(result.ZLineSum, 2, separators);

    texts.Rother = QStringLiteral("Rпр=") + Grouped(result.Rother, 0, separators) + Milliohm;
    texts.Rsum = QStringLiteral("Rф-н=") + Grouped(result.Rsum, 2, separators) + Milliohm;
    texts.Xsum = QStringLiteral("Xф-н=") + Grouped(result.Xsum, 2, separators) + Milliohm;
    texts.Zsum = QStringLiteral("Zф-н=") + Grouped(result.Zsum, 2, separators) + Milliohm;
    return texts;
}
