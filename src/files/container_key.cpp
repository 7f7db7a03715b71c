#include "files/container_key.h"

#include <openssl/evp.h>

#include <string>

namespace quexa::files {

Key DeriveKey(std::string_view text) {
    std::string material(text);
    if (text == kDefaultKeyMaterial) {
        material += text;
    } else if (text.empty()) {
        material = kDefaultKeyMaterial;
    }
    Key key{};
    unsigned int length = 0;
    EVP_Digest(material.data(), material.size(), key.data(), &length, EVP_sha1(), nullptr);
    return key;
}

const Key& DefaultKey() {
    static const Key key = DeriveKey({});
    return key;
}

void Scramble(std::span<char> bytes, const Key& key, std::size_t keyLength) {
    if (keyLength == 0 || keyLength > key.size()) {
        keyLength = key.size();
    }
    std::size_t k = 0;
    for (char& byte : bytes) {
        byte = static_cast<char>(static_cast<std::uint8_t>(byte) ^ key[k]);
        if (++k == keyLength) {
            k = 0;
        }
    }
}

}  // namespace quexa::files
