#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads a fuzzer's bytes as values: numbers first, then UTF-16 texts of chosen lengths.
class FuzzInput final {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t Byte() { return m_used < m_size ? m_data[m_used++] : 0; }

    // Up to `maxUnits` code units, two bytes each, any value (lone surrogates too).
    std::u16string Text(std::size_t maxUnits) { return Units(Byte() % (maxUnits + 1)); }

    // Whatever is left, as UTF-16.
    std::u16string Rest() { return Units(m_size); }

private:
    std::u16string Units(std::size_t count) {
        std::u16string text;
        while (text.size() < count && m_used + 1 < m_size) {
            text.push_back(static_cast<char16_t>(m_data[m_used] | (m_data[m_used + 1] << 8)));
            m_used += 2;
        }
        return text;
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_used = 0;
};
