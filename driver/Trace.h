#pragma once
// The record of driver calls: one JSON line per call, {"fn": name, "args": [...],
// "ret": n}, with "out" for the few calls whose answer the trace shows, appended to the file
// named by KX02APP_TRACE, flushed line by line so that a crash loses nothing, and kept in
// memory (the most recent lines) once the control API asks for them. A program polling
// all day would otherwise pile up lines that nobody reads.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

namespace kx {

class Trace final {
public:
    static constexpr std::size_t kKeptLines = 100000;

    // An empty path writes no file.
    void openFile(const std::string& path);
    // Whether lines are kept for line(); off until asked for. Turning it off drops them.
    void keepLines(bool keep);
    bool keepsLines() const { return m_keep; }
    // A null `out` leaves the line without it.
    void add(const char* fn, nlohmann::json args, std::int32_t ret, nlohmann::json out = nullptr);
    std::size_t count() const { return m_lines.size(); }
    const std::string* line(std::size_t index) const;
    void clear() { m_lines.clear(); }

private:
    std::deque<std::string> m_lines;
    std::ofstream m_file;
    bool m_keep = false;
};

} // namespace kx
