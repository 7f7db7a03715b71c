#pragma once

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>
#include <string>

namespace quexa::test {

// Keys and certificates made fresh for each run, never stored: a test CA, a server certificate
// it signed for 127.0.0.1 and localhost, and a self-signed one for the same names.
class TestCertificates {
  public:
    struct KeyDeleter {
        void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
    };
    struct CertDeleter {
        void operator()(X509* cert) const { X509_free(cert); }
    };
    using Key = std::unique_ptr<EVP_PKEY, KeyDeleter>;
    using Cert = std::unique_ptr<X509, CertDeleter>;

    TestCertificates();

    X509* caCert() const { return caCert_.get(); }
    X509* serverCert() const { return serverCert_.get(); }
    EVP_PKEY* serverKey() const { return serverKey_.get(); }
    X509* selfSignedCert() const { return selfSignedCert_.get(); }
    EVP_PKEY* selfSignedKey() const { return selfSignedKey_.get(); }

    // Writes the CA certificate as PEM, the form QUEXA_CA_BUNDLE names.
    void WriteCaPem(const std::string& path) const;

  private:
    Key caKey_;
    Cert caCert_;
    Key serverKey_;
    Cert serverCert_;
    Key selfSignedKey_;
    Cert selfSignedCert_;
};

}  // namespace quexa::test
