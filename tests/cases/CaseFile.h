#pragma once

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zlc::test {

// One named case of a file under tests/data. Such a file holds cases that
// start with a line "== Name" (letters, digits and '_', as test names need);
// each further line "key: value" gives a value, in which \n, \t, \r, \\ and
// \xHH stand for their characters. A line "key:|" starts a value of several
// lines, taken as they are up to a line holding "." alone; each line ends in
// "\n". Lines starting with '#' outside such a value are comments.
struct Case {
    std::string name;
    std::map<std::string, std::string> values;

    const std::string& operator[](const std::string& key) const {
        const auto found = values.find(key);
        if (found == values.end()) {
            throw std::out_of_range(name + " has no " + key);
        }
        return found->second;
    }
    bool Has(const std::string& key) const { return values.contains(key); }
    std::string Or(const std::string& key, const std::string& absent) const {
        return Has(key) ? (*this)[key] : absent;
    }
    long Number(const std::string& key) const {
        return std::strtol((*this)[key].c_str(), nullptr, 0);
    }
    // The value as numbers separated by blanks.
    std::vector<long> Numbers(const std::string& key) const {
        std::istringstream words((*this)[key]);
        std::vector<long> numbers;
        for (std::string word; words >> word;) {
            numbers.push_back(std::strtol(word.c_str(), nullptr, 0));
        }
        return numbers;
    }
};

// The parts of a text between separators.
inline std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

inline std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'x' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
        }
    }
    return out;
}

// The cases of tests/data/`file`; none when it cannot be read, which leaves
// the parameterised test uninstantiated and so failing.
inline std::vector<Case> ReadCases(const std::string& file) {
    std::ifstream in(std::string(ZLC_TEST_DATA_DIR) + "/" + file);
    std::vector<Case> cases;
    std::string line;
    while (std::getline(in, line)) {
        if (line.starts_with("== ")) {
            cases.push_back({line.substr(3), {}});
        } else if (!cases.empty() && !line.empty() && line[0] != '#') {
            const size_t colon = line.find(':');
            const std::string key = line.substr(0, colon);
            if (line.substr(colon) == ":|") {
                std::string text;
                while (std::getline(in, line) && line != ".") {
                    text += line + "\n";
                }
                cases.back().values[key] = text;
            } else {
                const size_t start = line.find_first_not_of(' ', colon + 1);
                cases.back().values[key] =
                    Unescape(start == std::string::npos ? "" : line.substr(start));
            }
        }
    }
    return cases;
}

inline std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

inline void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

// Checks a program's output against the keys of a case that are given: out (the
// whole text), out-starts, out-ends, out-has (a part on each line, its escapes
// read) and out-lacks.
inline void ExpectOutput(const Case& c, const std::string& out) {
    EXPECT_EQ(out, c.Or("out", out));
    EXPECT_TRUE(out.starts_with(c.Or("out-starts", ""))) << out;
    EXPECT_TRUE(out.ends_with(c.Or("out-ends", ""))) << out;
    for (const std::string& part : Split(c.Or("out-has", ""), '\n')) {
        EXPECT_NE(out.find(Unescape(part)), std::string::npos) << part << "\n" << out;
    }
    EXPECT_EQ(out.find(c.Or("out-lacks", "\x01")), std::string::npos) << out;
}

// A parameterised suite over the cases of a data file, each test named by its case.
#define ZLC_CASES(Suite, file)                                                                     \
    INSTANTIATE_TEST_SUITE_P(Cases, Suite, ::testing::ValuesIn(::zlc::test::ReadCases(file)),      \
                             ::zlc::test::CaseName)

} // namespace zlc::test
