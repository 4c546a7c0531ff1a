// A game in a folder of its own, with helpers to look inside save files.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Fixture.h"
#include "GameStates.h"
#include "core/StateColumns.h"
#include "save/SaveCipher.h"
#include "save/SaveFile.h"
#include "save/SaveFormat.h"

namespace q::test {

inline std::string ReadBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The stored lines of a file, split at CR LF.
inline std::vector<std::string> StoredLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find("\r\n", pos);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

inline std::string Decode(const std::string& stored) {
    std::string plain;
    EXPECT_TRUE(CipherLine(false, stored, plain)) << "a stored line does not decode";
    return plain;
}

inline std::string Encode(const std::string& plain) {
    std::string code;
    CipherLine(true, plain, code);
    return code;
}

// The plain lines of a save file.
inline std::vector<std::string> PlainLines(const std::filesystem::path& p) {
    std::vector<std::string> plain;
    for (const auto& s : StoredLines(ReadBytes(p))) plain.push_back(Decode(s));
    return plain;
}

// A file made of plain lines, stored as the game stores them.
inline std::string StoredFile(const std::vector<std::string>& plain) {
    std::string bytes;
    for (const auto& line : plain) bytes += Encode(line) + "\r\n";
    return bytes;
}

// Every variable the save file keeps, by name, with its value: the state
// columns marked saved, and the state inside the data tables.
inline std::map<std::string, std::string> SavedFields(Game& g) {
    static const std::vector<std::string> saved = [&g] {
        const auto names = g.vars.names();
        std::vector<std::string> out;
        for (const auto& c : StateColumns())
            if (c.saved)
                for (const auto& element : ElementsOf(names, std::string(c.name))) out.push_back(element);
        for (const auto& name : names)
            for (const char* field : {".LArmsSetPrice", ".LArmsList", ".LKeyList", ".LGyokuList", ".SLSmithRecipe",
                                      ".SLCarpenOk"})
                if (name.size() > std::string(field).size() && name.ends_with(field)) out.push_back(name);
        out.push_back("ShopSellHouse(9).SLHousePrice");
        return out;
    }();
    std::map<std::string, std::string> out;
    for (const auto& name : saved) out[name] = FormatValue(g.vars.get(g, name));
    return out;
}

// Every variable of the game, by name.
inline std::map<std::string, std::string> AllFields(Game& g) {
    static const std::vector<std::string> names = g.vars.names();
    std::map<std::string, std::string> out;
    for (const auto& name : names) out[name] = FormatValue(g.vars.get(g, name));
    return out;
}

// A game in a temporary folder that is the current folder while it runs.
class SaveTest : public GameTest {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("quorvane-save-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(dir_);
        old_ = fs::current_path();
        fs::current_path(dir_);
        NewGameState(g());
    }
    void TearDown() override {
        namespace fs = std::filesystem;
        fs::current_path(old_);
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }

    std::filesystem::path dir_, old_;
};

}  // namespace q::test
