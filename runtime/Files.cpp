#include "runtime/Files.h"

namespace runtime {

namespace {

// Byte offsets of every backslash that really is a separator (not a GBK trail byte).
template <typename F>
void forEachSeparator(std::string_view path, F&& onSeparator) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (IsDBCSLeadByte(c) && i + 1 < path.size()) {
            ++i;
        } else if (c == '\\') {
            onSeparator(i);
        }
    }
}

// Where the root of an absolute path ends: "C:\" -> 3, "\\server\share\" -> past the share.
std::size_t rootLength(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') return path.size() >= 3 && path[2] == '\\' ? 3 : 2;
    if (path.starts_with("\\\\")) {
        int separators = 0;
        std::size_t end = path.size();
        forEachSeparator(path, [&](std::size_t i) {
            if (i >= 2 && ++separators == 2 && end == path.size()) end = i + 1;
        });
        return end;
    }
    return path.starts_with("\\") ? 1 : 0;
}

}  // namespace

bool endsWithBackslash(std::string_view path) {
    bool last = false;
    forEachSeparator(path, [&](std::size_t i) { last = i + 1 == path.size(); });
    return last;
}

std::string joinPath(std::string_view dir, std::string_view name) {
    std::string out(dir);
    if (!out.empty() && !endsWithBackslash(out)) out += '\\';
    out += name;
    return out;
}

std::string parentPath(std::string_view path) {
    std::size_t last = std::string_view::npos;
    forEachSeparator(path, [&](std::size_t i) { last = i; });
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last));
}

bool fileExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool directoryExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool makeDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool makeDirectories(const std::string& path) {
    if (path.empty()) return false;
    const std::size_t root = rootLength(path);
    auto makeLevel = [&](std::size_t end) {
        if (end <= root) return;
        // Existing levels fail harmlessly; only the final check decides.
        CreateDirectoryA(path.substr(0, end).c_str(), nullptr);
    };
    forEachSeparator(path, makeLevel);
    makeLevel(path.size());
    return directoryExists(path);
}

bool writeFile(const std::string& path, ByteView bytes) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const auto size = static_cast<DWORD>(bytes.size());
    const bool ok = bytes.size() == size && WriteFile(file.get(), bytes.data(), size, &written, nullptr) &&
                    written == size;
    if (file.close() && ok) return true;
    DeleteFileA(path.c_str());
    return false;
}

bool deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
}

}  // namespace runtime
