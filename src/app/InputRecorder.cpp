#include "app/InputRecorder.h"

#include "app/InputRecord.h"

#include <iostream>

bool InputRecorder::open(const std::string& path, const std::string& levelPath, std::uint64_t levelChecksum) {
    file.open(path, std::ios::out | std::ios::trunc);
    if (file) {
        file << InputRecord::header(levelPath, levelChecksum) << std::flush;
    }
    if (!file) {
        std::cout << "ERROR: Cannot write the record file '" << path << "'; playing without recording"
                  << std::endl;
        file.close();
        return false;
    }
    return true;
}

void InputRecorder::record(const FrameInput& frame) {
    char line[InputRecord::kMaxFrameLine];
    file.write(line, static_cast<std::streamsize>(InputRecord::formatFrame(frame, line)));
    unflushedSeconds += frame.dt;
    if (unflushedSeconds >= kFlushInterval) {
        file.flush();
        unflushedSeconds = 0.0;
    }
}
