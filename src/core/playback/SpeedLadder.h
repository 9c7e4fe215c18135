#pragma once

#include <QList>
#include <QString>
#include <optional>

// A loop's speed ladder: the loop plays a number of passes at each rate in
// turn, then keeps repeating at the last rate. Counts the passes of one run
// up the ladder; restart() begins a new run.
class SpeedLadder {
public:
    static constexpr double MinRate = 0.1;
    static constexpr double MaxRate = 4.0;
    static constexpr int MaxRates = 10;
    static constexpr int MaxPasses = 99;

    // Rates written as decimal numbers with a point, separated by commas
    // and/or blanks: "0.5, 0.75, 1.0". Nothing on failure, and *error (if
    // given) says what is wrong in words the user can act on.
    static std::optional<QList<double>> parseRates(const QString& text, QString* error = nullptr);
    // A rate as the indicator shows it: "0.5", "0.75", "1.0".
    static QString rateText(double rate);
    static QString defaultRatesText() { return QStringLiteral("0.5, 0.75, 1.0"); }

    // The default ladder: 0.5, 0.75, 1.0 with 2 passes each. Rates outside
    // the allowed range are brought inside it, passes to 1-MaxPasses; an
    // empty list gives the default rates.
    explicit SpeedLadder(QList<double> rates = {0.5, 0.75, 1.0}, int passes = 2);

    const QList<double>& rates() const { return m_rates; }

    // Back to the first rate with no pass played.
    void restart();
    // One pass of the loop has ended: true when the next pass plays at
    // another rate (rate() then gives it).
    bool passFinished();

    double rate() const { return m_rates[m_step]; }
    // 1-based, of steps().
    int step() const { return m_step + 1; }
    int steps() const { return int(m_rates.size()); }
    // "ladder 2/3 at 0.75"
    QString indicator() const;

    bool operator==(const SpeedLadder& other) const { return m_rates == other.m_rates && m_passes == other.m_passes; }

private:
    QList<double> m_rates;
    int m_passes;
    int m_step = 0;
    int m_passesDone = 0;
};
