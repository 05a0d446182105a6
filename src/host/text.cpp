// Numbers and times turned into the texts the window shows, and typed texts read back as numbers.
#include "host/text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// MinGW's own formatter and reader (correctly rounded, statically linked) rather than
// whatever the C runtime DLL of the machine does.
#ifdef __MINGW32__
#define formatDecimal __mingw_snprintf
#define readDecimal __mingw_strtod
#else
#define formatDecimal std::snprintf
#define readDecimal std::strtod
#endif

constexpr int kSignificantDigits = 13;
constexpr size_t kMaxTakenDigits = 25;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The 13 rounded significant digits of a finite, non-zero magnitude and its decimal exponent.
void roundedDigits(double magnitude, char (&digits)[kSignificantDigits], int& exponent) {
    char printed[64];
    formatDecimal(printed, sizeof printed, "%.*e", kSignificantDigits - 1, magnitude);
    // Digits up to the "e" (the point between them follows the locale, so it is skipped).
    const char* p = printed;
    int count = 0;
    for (; *p != '\0' && *p != 'e' && *p != 'E'; ++p) {
        if (isDigit(*p) && count < kSignificantDigits) digits[count++] = *p;
    }
    for (; count < kSignificantDigits; ++count) digits[count] = '0';
    // Exponent: sign and two or more digits, depending on the runtime.
    if (*p != '\0') ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    exponent = 0;
    for (; isDigit(*p); ++p) exponent = exponent * 10 + (*p - '0');
    if (negative) exponent = -exponent;
}

// Full-width forms of ASCII 0x21..0x7E as the double-byte code page lays them out.
char foldedCodePoint(uint32_t cp) {
    if (cp == 0x3000) return ' ';
    if (cp == 0xFF5E) return '~';
    if (cp == 0x2605 || cp == 0x2606) return '*';
    if (cp == 0xFFE5) return '$';
    if (cp == 0xFFE3) return '~';
    if (cp >= 0xFF01 && cp <= 0xFF5D && cp != 0xFF04) return static_cast<char>(0x21 + (cp - 0xFF01));
    return 0;
}

// Every character that folds is a three-byte sequence; anything else is copied byte by byte.
std::string foldFullWidth(const std::string& text) {
    std::string folded;
    folded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        auto b0 = static_cast<unsigned char>(text[i]);
        if ((b0 & 0xF0) == 0xE0 && i + 2 < text.size()) {
            auto b1 = static_cast<unsigned char>(text[i + 1]);
            auto b2 = static_cast<unsigned char>(text[i + 2]);
            if ((b1 & 0xC0) == 0x80 && (b2 & 0xC0) == 0x80) {
                uint32_t cp = ((b0 & 0x0Fu) << 12) | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
                if (char ascii = foldedCodePoint(cp)) {
                    folded += ascii;
                    i += 2;
                    continue;
                }
            }
        }
        folded += text[i];
    }
    return folded;
}

// Adds a digit to a count that is only ever compared with far smaller limits.
long long appendDigit(long long value, char digit) {
    return value < 1000000000LL ? value * 10 + (digit - '0') : value;
}

}  // namespace

std::string toText(int32_t value) { return std::to_string(value); }

std::string toText(double value) {
    if (std::isnan(value)) return "-1.#IND";
    if (std::isinf(value)) return value < 0 ? "-1.#INF" : "1.#INF";
    // Negative zero is not a negative value: it shows as 0.
    if (value == 0) return "0";

    char digits[kSignificantDigits];
    int exponent = 0;
    roundedDigits(std::fabs(value), digits, exponent);
    int used = kSignificantDigits;
    while (used > 1 && digits[used - 1] == '0') --used;

    std::string text = value < 0 ? "-" : "";
    if (exponent >= -4 && exponent < kSignificantDigits) {
        if (exponent < 0) {
            text += "0.";
            text.append(-exponent - 1, '0');
            text.append(digits, used);
        } else if (used <= exponent + 1) {
            text.append(digits, used);
            text.append(exponent + 1 - used, '0');
        } else {
            text.append(digits, exponent + 1);
            text += '.';
            text.append(digits + exponent + 1, used - exponent - 1);
        }
        return text;
    }
    text += digits[0];
    if (used > 1) {
        text += '.';
        text.append(digits + 1, used - 1);
    }
    char tail[16];
    formatDecimal(tail, sizeof tail, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return text + tail;
}

std::string toText(const DateTime& when) {
    std::string text = std::to_string(when.year) + "年" + std::to_string(when.month) + "月" +
                       std::to_string(when.day) + "日";
    if (when.second != 0) {
        text += std::to_string(when.hour) + "时" + std::to_string(when.minute) + "分" +
                std::to_string(when.second) + "秒";
    } else if (when.minute != 0) {
        text += std::to_string(when.hour) + "时" + std::to_string(when.minute) + "分";
    } else if (when.hour != 0) {
        text += std::to_string(when.hour) + "时";
    }
    return text;
}

double toNumber(const std::string& text) {
    const std::string folded = foldFullWidth(text);
    const char* p = folded.c_str();
    while (isBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';

    // Up to 25 significant digits as an integer, and the power of ten that scales it.
    std::string significant;
    long long scale = 0;
    bool anyDigit = false;
    for (; isDigit(*p); ++p) {
        anyDigit = true;
        if (significant.empty() && *p == '0') continue;
        if (significant.size() < kMaxTakenDigits) {
            significant += *p;
        } else {
            ++scale;
        }
    }
    if (*p == '.') {
        for (++p; isDigit(*p); ++p) {
            anyDigit = true;
            if (significant.size() < kMaxTakenDigits) {
                if (!significant.empty() || *p != '0') significant += *p;
                --scale;
            }
        }
    }
    if (!anyDigit) return 0;

    if (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D') {
        const char* q = p + 1;
        bool negativeExponent = *q == '-';
        if (*q == '+' || *q == '-') ++q;
        long long written = 0;
        for (; isDigit(*q); ++q) written = appendDigit(written, *q);
        scale += negativeExponent ? -written : written;
    }
    if (significant.empty()) return negative ? -0.0 : 0.0;

    // Far beyond the double range either way; keeps the rebuilt text short.
    if (scale > 100000) scale = 100000;
    if (scale < -100000) scale = -100000;
    // Written without a point, so the locale's decimal separator plays no part.
    char exponentText[16];
    formatDecimal(exponentText, sizeof exponentText, "e%lld", scale);
    double magnitude = readDecimal((significant + exponentText).c_str(), nullptr);
    return negative ? -magnitude : magnitude;
}

int32_t truncate(double value) {
    // [-2^63, 2^63); NaN fails both comparisons.
    if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0)) return 0;
    auto whole = static_cast<int64_t>(value);
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(whole)));
}
