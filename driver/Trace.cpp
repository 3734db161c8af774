#include "driver/Trace.h"

namespace kx {

void Trace::openFile(const std::string& path) {
    if (m_file.is_open())
        m_file.close();
    if (!path.empty())
        m_file.open(path, std::ios::app | std::ios::binary);
}

void Trace::keepLines(bool keep) {
    m_keep = keep;
    if (!keep)
        m_lines.clear();
}

void Trace::add(const char* fn, nlohmann::json args, std::int32_t ret, nlohmann::json out) {
    if (!m_keep && !m_file.is_open())
        return;
    nlohmann::ordered_json line;
    line["fn"] = fn;
    line["args"] = std::move(args);
    line["ret"] = ret;
    if (!out.is_null())
        line["out"] = std::move(out);
    std::string text = line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    if (m_file.is_open()) {
        m_file << text << '\n';
        m_file.flush();
    }
    if (!m_keep)
        return;
    m_lines.push_back(std::move(text));
    if (m_lines.size() > kKeptLines)
        m_lines.pop_front();
}

const std::string* Trace::line(std::size_t index) const {
    return index < m_lines.size() ? &m_lines[index] : nullptr;
}

} // namespace kx
