#pragma once

#include <QWidget>

#include <array>

// The floor under the board: a plain Qt window with eight filled bars and
// nothing else, no fonts, pictures or child widgets. A new bar length
// repaints only the strip between its old and new tip, as the board's bars do.
class BareBarsWindow final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Bars = 8;

    explicit BareBarsWindow(QWidget *parent = nullptr);

    float barLength(int bar) const { return m_lengths[std::size_t(bar)]; }
    void setBarLength(int bar, float length);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int barTop(int bar) const;

    std::array<float, Bars> m_lengths{};
};
