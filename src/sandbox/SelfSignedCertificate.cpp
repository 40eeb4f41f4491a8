#include "sandbox/SelfSignedCertificate.h"

#include <openssl/bio.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509v3.h>

namespace nuvo::sandbox {
namespace {

// A sandbox runs for a session or a test run; a week is ample and keeps a stray copy useless.
constexpr long kValidSeconds = 7L * 24 * 60 * 60;

bool AddExtension(X509* certificate, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
  if (!extension) return false;
  const bool added = X509_add_ext(certificate, extension, -1) == 1;
  X509_EXTENSION_free(extension);
  return added;
}

}  // namespace

bool CSelfSignedCertificate::Generate() {
  key_.reset(EVP_EC_gen("P-256"));
  certificate_.reset(X509_new());
  if (!key_ || !certificate_) return false;
  X509* certificate = certificate_.get();
  unsigned char serial[8];
  if (RAND_bytes(serial, sizeof serial) != 1) return false;
  serial[0] &= 0x7F;  // a positive serial number
  BIGNUM* number = BN_bin2bn(serial, sizeof serial, nullptr);
  const bool serialSet =
      number && BN_to_ASN1_INTEGER(number, X509_get_serialNumber(certificate)) != nullptr;
  BN_free(number);
  if (!serialSet || X509_set_version(certificate, 2) != 1 ||
      !X509_gmtime_adj(X509_getm_notBefore(certificate), -60 * 60) ||
      !X509_gmtime_adj(X509_getm_notAfter(certificate), kValidSeconds) ||
      X509_set_pubkey(certificate, key_.get()) != 1) {
    return false;
  }
  X509_NAME* name = X509_get_subject_name(certificate);
  const auto* commonName = reinterpret_cast<const unsigned char*>("127.0.0.1");
  const auto* organisation = reinterpret_cast<const unsigned char*>("nuvo-sandbox");
  if (X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, commonName, -1, -1, 0) != 1 ||
      X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC, organisation, -1, -1, 0) != 1 ||
      X509_set_issuer_name(certificate, name) != 1) {
    return false;
  }
  // Clients match the address against the alternative names, not the common name.
  return AddExtension(certificate, NID_subject_alt_name, "IP:127.0.0.1") &&
         AddExtension(certificate, NID_basic_constraints, "critical,CA:TRUE") &&
         X509_sign(certificate, key_.get(), EVP_sha256()) > 0;
}

std::string CSelfSignedCertificate::Pem() const {
  std::unique_ptr<BIO, decltype(&BIO_free)> out(BIO_new(BIO_s_mem()), BIO_free);
  if (!out || !certificate_ || PEM_write_bio_X509(out.get(), certificate_.get()) != 1) return {};
  char* data = nullptr;
  const long size = BIO_get_mem_data(out.get(), &data);
  return std::string(data, static_cast<std::size_t>(size));
}

}  // namespace nuvo::sandbox
