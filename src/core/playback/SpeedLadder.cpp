#include "core/playback/SpeedLadder.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

namespace {

QString example()
{
    return QStringLiteral("such as \"%1\"").arg(SpeedLadder::defaultRatesText());
}

} // namespace

std::optional<QList<double>> SpeedLadder::parseRates(const QString& text, QString* error)
{
    const auto fail = [error](const QString& message) -> std::optional<QList<double>> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return fail(QStringLiteral("The speed ladder needs at least one rate, %1.").arg(example()));
    if (parts.size() > MaxRates)
        return fail(QStringLiteral("The speed ladder holds at most %1 rates.").arg(MaxRates));
    // Digits and one point only: no signs, exponents or words such as "inf".
    static const QRegularExpression decimal(QStringLiteral("^(\\d+(\\.\\d*)?|\\.\\d+)$"));
    QList<double> rates;
    for (const QString& part : parts) {
        if (!decimal.match(part).hasMatch())
            return fail(QStringLiteral("\"%1\" is not a rate. Write the rates as decimal numbers separated by "
                                       "commas, %2.")
                            .arg(part, example()));
        const double rate = QLocale::c().toDouble(part);
        if (rate < MinRate || rate > MaxRate)
            return fail(QStringLiteral("The rate %1 is out of range: each rate must lie between %2 and %3.")
                            .arg(part, rateText(MinRate), rateText(MaxRate)));
        rates.append(rate);
    }
    if (error)
        error->clear();
    return rates;
}

QString SpeedLadder::rateText(double rate)
{
    QString text = QString::number(rate, 'g', 4);
    if (!text.contains(u'.'))
        text += QStringLiteral(".0");
    return text;
}

SpeedLadder::SpeedLadder(QList<double> rates, int passes)
    : m_rates(std::move(rates)), m_passes(std::clamp(passes, 1, MaxPasses))
{
    if (m_rates.isEmpty())
        m_rates = {0.5, 0.75, 1.0};
    for (double& rate : m_rates)
        rate = std::clamp(rate, MinRate, MaxRate);
}

void SpeedLadder::restart()
{
    m_step = 0;
    m_passesDone = 0;
}

bool SpeedLadder::passFinished()
{
    if (m_step + 1 >= steps())
        return false; // the last rate repeats for good
    if (++m_passesDone < m_passes)
        return false;
    ++m_step;
    m_passesDone = 0;
    return true;
}

QString SpeedLadder::indicator() const
{
    return QStringLiteral("ladder %1/%2 at %3").arg(step()).arg(steps()).arg(rateText(rate()));
}
