#include "test_certificates.h"

#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <stdexcept>

namespace quexa::test {

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(std::string("test certificates: ") + what);
    }
}

TestCertificates::Key NewKey() {
    TestCertificates::Key key(EVP_EC_gen("P-256"));
    Check(key != nullptr, "key");
    return key;
}

void AddExtension(X509* cert, X509* issuer, int nid, const char* value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
    Check(extension != nullptr, "extension");
    X509_add_ext(cert, extension, -1);
    X509_EXTENSION_free(extension);
}

// issuer null: the certificate signs itself.
TestCertificates::Cert NewCert(const char* commonName, EVP_PKEY* key, X509* issuer,
                               EVP_PKEY* issuerKey, bool authority, long serial) {
    TestCertificates::Cert cert(X509_new());
    X509* x = cert.get();
    X509_set_version(x, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(x), serial);
    X509_gmtime_adj(X509_getm_notBefore(x), -3600);
    X509_gmtime_adj(X509_getm_notAfter(x), 24 * 3600);
    X509_set_pubkey(x, key);
    X509_NAME* name = X509_get_subject_name(x);
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("Quexa tests"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
    X509* signer = issuer != nullptr ? issuer : x;
    X509_set_issuer_name(x, X509_get_subject_name(signer));
    AddExtension(x, signer, NID_subject_key_identifier, "hash");
    if (authority) {
        AddExtension(x, signer, NID_basic_constraints, "critical,CA:TRUE");
        AddExtension(x, signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        AddExtension(x, signer, NID_authority_key_identifier, "keyid:always");
        AddExtension(x, signer, NID_basic_constraints, "critical,CA:FALSE");
        AddExtension(x, signer, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
        AddExtension(x, signer, NID_ext_key_usage, "serverAuth");
    }
    Check(X509_sign(x, issuerKey != nullptr ? issuerKey : key, EVP_sha256()) > 0, "signature");
    return cert;
}

}  // namespace

TestCertificates::TestCertificates()
    : caKey_(NewKey()),
      caCert_(NewCert("Quexa Test CA", caKey_.get(), nullptr, nullptr, true, 1)),
      serverKey_(NewKey()),
      serverCert_(NewCert("127.0.0.1", serverKey_.get(), caCert_.get(), caKey_.get(), false, 2)),
      selfSignedKey_(NewKey()),
      selfSignedCert_(NewCert("127.0.0.1", selfSignedKey_.get(), nullptr, nullptr, false, 3)) {}

void TestCertificates::WriteCaPem(const std::string& path) const {
    FILE* file = std::fopen(path.c_str(), "w");
    Check(file != nullptr, "CA file");
    const bool written = PEM_write_X509(file, caCert_.get()) == 1;
    Check(std::fclose(file) == 0 && written, "CA file");
}

}  // namespace quexa::test
