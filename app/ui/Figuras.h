// Small pictures drawn by the program: colour squares for lists and menus, and the
// station pictures of the station lists.
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

#include <cstdint>

namespace lumeno {

// A colour value 0x00BBGGRR as a QColor, and back.
QColor corQt(std::uint32_t cor);
std::uint32_t corWindows(const QColor& cor);

// 16 × 16: a white square with a square from (2,2) to (13,13) outlined and filled in `cor`.
QPixmap quadradoCor(const QColor& cor);

// 16 × 16 station pictures: 1 = a station without a surveyed section, 2 = with one.
QIcon figuraEstacao(int figura);

}  // namespace lumeno
