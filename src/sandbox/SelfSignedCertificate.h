#pragma once

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>
#include <string>

// A certificate for 127.0.0.1 that signs itself, made afresh each time the sandbox starts with
// TLS: no authority knows it, so a client refuses it unless it was told to trust exactly this
// one. Owns the certificate and its key.
namespace nuvo::sandbox {

class CSelfSignedCertificate {
 public:
  // Makes a new key and certificate; false when OpenSSL cannot.
  bool Generate();

  X509* Certificate() const { return certificate_.get(); }
  EVP_PKEY* Key() const { return key_.get(); }
  // The certificate in PEM form, for a client that is to trust it.
  std::string Pem() const;

 private:
  std::unique_ptr<X509, decltype(&X509_free)> certificate_{nullptr, X509_free};
  std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key_{nullptr, EVP_PKEY_free};
};

}  // namespace nuvo::sandbox
