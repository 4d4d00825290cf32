// Test helper: a data-language text written to a fresh file under /tmp, removed again afterwards.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

class ScratchFile {
public:
    explicit ScratchFile(const std::string& contents)
    {
        char pattern[] = "/tmp/vellmark_lang_XXXXXX";
        const int fd = mkstemp(pattern);
        path = pattern;
        if (fd >= 0) {
            std::size_t done = 0;
            while (done < contents.size()) {
                const ssize_t n = write(fd, contents.data() + done, contents.size() - done);
                if (n <= 0)
                    break;
                done += static_cast<std::size_t>(n);
            }
            close(fd);
        }
    }
    ~ScratchFile() { unlink(path.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const char* Path() const { return path.c_str(); }

private:
    std::string path;
};
