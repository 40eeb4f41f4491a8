#include "core/net/FormData.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/common/Encoding.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

std::shared_ptr<const CFormFields> SellFields() {
  return std::make_shared<const CFormFields>(
      std::vector<std::string>{"Title", "category", "StartPrice", "memo"});
}

}  // namespace

TEST(FormData, NamesAreLookedUpWithoutCaseAndOthersBecomeExtraFields) {
  CFormData form(SellFields());
  form.SetValue("TITLE", "x");
  form.SetInt("startprice", 1500);
  form.SetValue("zeta", "z");
  form.SetValue("Alpha", "a");
  EXPECT_EQ(form.GetValue(0), "x");
  EXPECT_EQ(form.GetNumber("StartPrice"), 1500);
  EXPECT_TRUE(form.IsEmpty("category"));
  EXPECT_TRUE(form.Equals("zeta", "z"));
  EXPECT_EQ(form.GetValue(99), "");
  form.ClearValue("zeta");
  EXPECT_EQ(form.ExtraFields().size(), 1u);

  // Loading by name fills fixed fields; loading as extra fields keeps every entry apart.
  CFormData loaded(SellFields());
  loaded.LoadExtraFields({{"memo", "m"}, {"empty", ""}, {"other", "o"}}, true, false);
  EXPECT_EQ(loaded.GetValue(3), "m");
  EXPECT_EQ(loaded.ExtraFields().size(), 1u);
  loaded.LoadExtraFields({{"memo", "n"}, {"empty", ""}}, false, true);
  EXPECT_EQ(loaded.GetValue(3), "m");
  EXPECT_EQ(loaded.ExtraFields().at("memo"), "n");
  EXPECT_EQ(loaded.ExtraFields().count("empty"), 1u);

  EXPECT_EQ(CFormData::EncodingForPage(3, kFormUtf8), kFormEucJp);
  EXPECT_EQ(CFormData::EncodingForPage(0, kFormUtf8), kFormUtf8);
}

TEST(FormData, UrlEncodedBodySkipsEmptyValuesAndConvertsToTheValueEncoding) {
  CFormData form(SellFields());
  form.SetValue(0, Cp932("あ a*"));
  form.SetValue(2, "100");
  form.SetValue("b_extra", "&=");
  form.SetValue("a_extra", "1");
  EXPECT_EQ(form.BuildUrlEncoded(), "Title=%82%A0+a*&StartPrice=100&a_extra=1&b_extra=%26%3D");

  form.ClearAll();
  EXPECT_EQ(form.BuildUrlEncoded(), "");
  form.SetValue("memo", Cp932("あ"));
  form.SetEncoding(kFormUtf8);
  EXPECT_EQ(form.BuildUrlEncoded(), "memo=%E3%81%82");
  form.SetEncoding(kFormEucJp);
  EXPECT_EQ(form.BuildUrlEncoded(), "memo=%A4%A2");
  form.SetEncoding(kFormIso2022Jp);
  EXPECT_EQ(form.BuildUrlEncoded(), "memo=%1B%24B%24%22%1B%28B");
}

TEST(FormData, MultipartBodyIsClosedByItsLastFieldEvenWhenEmpty) {
  CFormData form(SellFields(), kFormUtf8);
  form.SetValue(0, Cp932("題"));
  form.SetValue(1, "2084");
  const std::string boundary = form.Boundary();
  ASSERT_GE(boundary.size(), 15u);
  ASSERT_LE(boundary.size(), 24u);
  for (char c : boundary) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << boundary;

  const std::string delimiter = "--" + boundary + "\r\n";
  auto part = [&](const std::string& name, const std::string& value) {
    return delimiter + "Content-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" + value +
           "\r\n";
  };
  const std::string closing = "--" + boundary + "--\r\n";
  EXPECT_EQ(form.BuildMultipart(),
            part("Title", "\xE9\xA1\x8C") + part("category", "2084") + part("memo", "") + closing);
  EXPECT_EQ(form.BuildMultipart(kMultipartOpen),
            part("Title", "\xE9\xA1\x8C") + part("category", "2084"));

  // With extra fields the last of them closes the body instead.
  form.SetValue("z", "");
  form.SetValue("a", "1");
  EXPECT_EQ(form.BuildMultipart(), part("Title", "\xE9\xA1\x8C") + part("category", "2084") +
                                       part("a", "1") + part("z", "") + closing);
  EXPECT_EQ(form.GetMultipartContentType(),
            "Content-Type: multipart/form-data; boundary=" + boundary + "\r\n");

  form.ClearAll();
  EXPECT_NE(form.Boundary(), boundary);
}

TEST(FormData, FilePartsCarryTheImageTypeAndBytes) {
  TempDir dir;
  const std::string bytes("GIF89a\0\r\n\xFF", 10);
  std::ofstream(dir.path() / "photo.GIF", std::ios::binary) << bytes;
  CFormData form;
  const std::string delimiter = "--" + form.Boundary() + "\r\n";
  EXPECT_EQ(form.BuildFilePart("ImageFile1", "photo.GIF", dir.path() / "photo.GIF"),
            delimiter +
                "Content-Disposition: form-data; name=\"ImageFile1\"; filename=\"photo.GIF\"\r\n"
                "Content-Type: image/gif\r\n\r\n" +
                bytes + "\r\n");
  EXPECT_EQ(form.BuildFilePart("ImageFile2", "gone.png", dir.path() / "gone.png"),
            delimiter +
                "Content-Disposition: form-data; name=\"ImageFile2\"; filename=\"gone.png\"\r\n"
                "Content-Type: image/jpeg\r\n\r\n\r\n");
}

// Field names can come from a fetched page: whatever they hold, they stay one field.
TEST(FormData, NamesFromAPageCannotAddFieldsOrHeaderLines) {
  CFormData form;
  form.SetValue("a&price=1", "5");
  form.SetValue(Cp932("名"), "x");
  EXPECT_EQ(form.BuildUrlEncoded(), "a%26price%3D1=5&%96%BC=x");

  CFormData multipart;
  multipart.SetValue("n\"\r\nX-Injected: 1\r\n\r\nv", "1");
  const std::string delimiter = "--" + multipart.Boundary() + "\r\n";
  EXPECT_EQ(multipart.BuildMultipart(kMultipartOpen),
            delimiter +
                "Content-Disposition: form-data; name=\"n%22%0D%0AX-Injected: 1%0D%0A%0D%0Av\"\r\n"
                "\r\n1\r\n");
  EXPECT_EQ(multipart.BuildFilePart("f\"", "a\".jpg\r\n", "/nonexistent/a.jpg"),
            delimiter +
                "Content-Disposition: form-data; name=\"f%22\"; filename=\"a%22.jpg%0D%0A\"\r\n"
                "Content-Type: image/jpeg\r\n\r\n\r\n");
}
