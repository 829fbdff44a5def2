// The physical constants: their tokens, display texts and values, and the tokens that stand
// for a value.
#pragma once

#include "core/name_index.hpp"

#include <array>
#include <cstddef>
#include <numbers>
#include <string_view>

namespace quorvex {

struct PhysicalConstant {
    std::u16string_view token;    // as the lower-cased expression writes it; NUL-terminated
    const char16_t* displayText;  // NUL-terminated: name, description and unit
    double value;
};

// Ordered as the exports index them.
inline constexpr std::array<PhysicalConstant, 34> kPhysicalConstantTable = {{
    {u"r", u"R  気体定数 (J/(mol*K))", 8.314472},
    {u"k", u"k  ボルツマン定数 (J/K)", 1.3806505e-23},
    {u"a", u"A  アボガドロ定数 (1/mol)", 6.0221415e23},
    {u"h", u"h  プランク定数 (J*s)", 6.6260693e-34},
    {u"mp", u"mp プランク量 (kg)", 2.1767e-8},
    {u"lp", u"lp プランク長 (m)", 1.616e-35},
    {u"tp", u"tp プランク時間 (s)", 5.3906e-44},
    {u"f", u"F  ファラデー定数 (C/mol)", 96485.3383},
    {u"g0", u"G0 万有引力定数 (m^3/(kg*s^2))", 6.6742e-11},
    {u"g", u"g  重力加速度 (m/s^2)", 9.80665},
    {u"rr", u"Rr リュードベリ定数 (1/m)", 10973731.568525},
    {u"c", u"c  真空中の光速 (m/s)", 299792458.0},
    {u"u0", u"u0 真空中の透磁率 (N/A^2)", 1.2566370614359173e-6},
    {u"e0", u"e0 真空中の誘電率 (F/m)", 8.854187817e-12},
    {u"z0", u"z0 真空のインピーダンス (\u03A9)", 376.730313461},
    {u"atm", u"atm  標準大気圧 (Pa)", 101325.0},
    {u"deg0", u"Deg0 摂氏0\u2103 (K)", 273.15},
    {u"el0", u"el0 電子素量 (C)", 1.602176462e-19},
    {u"mel", u"Mel 電子の静止質量 (kg)", 9.10938188e-31},
    {u"mpr", u"Mpr 陽子の静止質量 (kg)", 1.67262158e-27},
    {u"mne", u"Mnu 中性子の静止質量 (kg)", 1.67492716e-27},
    {u"mu", u"Mu  原子質量単位 (kg)", 1.66053873e-27},
    {u"af", u"af 微細構造定数", 0.007297352533},
    {u"a0", u"a0 ボーア半径 (m)", 5.291772083e-11},
    {u"he", u"Eh ハートリーエネルギー (J)", 4.35974381e-18},
    {u"ub", u"ub ボーア磁子 (J/T)", 9.27400899e-24},
    {u"ue", u"ue 電子の磁化モーメント (J/T)", -9.28476362e-24},
    {u"ge", u"ge 自由電子のランデのg因子", 2.0023193043737},
    {u"un", u"un 核磁子 (J/T)", 5.0507866e-27},
    {u"up", u"up 陽子磁気モーメント (J/T)", 1.41060761e-26},
    {u"rp", u"rp 陽子磁気回転比 (1/(s*T))", 267522128.0},
    {u"s", u"s シュテファン-ボルツマン定数 (W/(m^2*k^4))", 5.6704e-8},
    {u"c1", u"c1 第一放射定数 (W*m^2)", 3.74177107e-16},
    {u"c2", u"c2 第二放射定数 (m*K)", 0.014387752},
}};

inline constexpr double kPi = std::numbers::pi;

// The tokens that stand for a value: the table's, then "pi".
inline constexpr auto kConstantTokens = [] {
    std::array<std::u16string_view, kPhysicalConstantTable.size() + 1> tokens{};
    for (std::size_t i = 0; i < kPhysicalConstantTable.size(); ++i) tokens[i] = kPhysicalConstantTable[i].token;
    tokens.back() = u"pi";
    return tokens;
}();
inline constexpr NameIndex kConstantIndex{kConstantTokens};

// The position of the token among kConstantTokens, or -1.
constexpr int FindConstantToken(std::u16string_view token) noexcept {
    // Every one starts with a letter and has at most four units.
    if (token.empty() || token.size() > 4 || token[0] < u'a' || token[0] > u'z') return -1;
    return kConstantIndex.Find(token);
}

}  // namespace quorvex
