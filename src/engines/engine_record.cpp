#include "engines/engine_record.h"

#include <algorithm>

#include "core/text.h"
#include "files/engine_block.h"

namespace quexa::engines {

EngineRecord::EngineRecord() {
    bytes_[0] = 'Q';
    bytes_[1] = 'Z';
    bytes_[2] = 'R';
    bytes_[3] = 'A';
}

std::string EngineRecord::Text(Field field) const {
    return core::BoundedCopy(Raw(field), field.size);
}

bool EngineRecord::SetText(Field field, std::string_view text) {
    if (text.size() >= field.size || text.find('\0') != std::string_view::npos) {
        return false;
    }
    char* const begin = bytes_.data() + field.offset;
    std::fill(begin, begin + field.size, '\0');
    std::copy(text.begin(), text.end(), begin);
    return true;
}

std::string_view EngineRecord::Raw(Field field) const {
    return {bytes_.data() + field.offset, field.size};
}

void EngineRecord::SetRaw(Field field, std::string_view bytes) {
    char* const begin = bytes_.data() + field.offset;
    std::fill(begin, begin + field.size, '\0');
    std::copy_n(bytes.begin(), std::min(bytes.size(), field.size), begin);
}

bool ReadEngineRecord(const std::filesystem::path& path, EngineRecord& record) {
    record = EngineRecord();
    return files::ReadEngineBlock(path, record.bytes());
}

}  // namespace quexa::engines
