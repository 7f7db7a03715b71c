#include "result_file_maker.h"

#include <stdexcept>

#include "files/protected_container.h"
#include "temp_folder.h"

namespace quexa::testing {

void MakeResultFile(const std::filesystem::path& path, files::FilePicture picture,
                    std::string_view password) {
    if (picture == files::FilePicture::Unreadable) {
        WriteAll(path, "not a result file");
        return;
    }
    files::ProtectedContainer container;
    if (!container.Create(path) || !container.Open(path)) {
        throw std::runtime_error("can't make " + path.string());
    }
    if (picture == files::FilePicture::Protected) {
        container.ChangePassword("", password);
    }
    if (picture == files::FilePicture::Newer) {
        files::ContainerHeader header = container.Header();
        header.SetModeLetter('D');
        container.WriteHeader(header);
    }
}

}  // namespace quexa::testing
