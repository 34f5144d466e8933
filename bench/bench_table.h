#pragma once

#include <cstdio>
#include <optional>
#include <string>

// One row of the benchmark table, printed as `figure|karvosel|reference|ratio|target|met`;
// a row without a verdict is there for information.
inline void PrintRow(const std::string& figure, double ours, const std::string& reference,
                     const std::string& ratio, const std::string& target, std::optional<bool> met) {
    std::printf("%s|%.2f|%s|%s|%s|%s\n", figure.c_str(), ours, reference.c_str(), ratio.c_str(),
                target.c_str(),
                !met   ? "-"
                : *met ? "yes"
                       : "NO");
    std::fflush(stdout);
}

inline std::string Format(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}
