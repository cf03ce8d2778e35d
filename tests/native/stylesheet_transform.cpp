#include "tests/native/stylesheet_transform.h"

#include <gtest/gtest.h>

#include "app/viewer_document.h"
#include "tests/native/test_files.h"

#ifdef _WIN32
#include "framework/win32.h"

#include <msxml2.h>
#else
#include <cstdlib>
#endif

std::string ViewerDocumentText(const std::string& invoiceBytes) {
  TStrings lines;
  lines.SetText(invoiceBytes);
  InsertStylesheetLine(lines);
  return lines.Text();
}

namespace {

#ifdef _WIN32

// IID_IXMLDOMDocument, spelled out: MinGW's import libraries do not carry the MSXML identifiers.
const IID kXmlDocumentInterface = {0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

std::wstring Wide(const std::string& text) {
  int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
  return wide;
}

std::string Utf8(const wchar_t* text, UINT length) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), &narrow[0], size, nullptr, nullptr);
  return narrow;
}

// A DOM document loaded from a file, released when the object goes.
class TXmlFile {
public:
  TXmlFile(const CLSID& parserClass, const std::string& path) {
    if (FAILED(CoCreateInstance(parserClass, nullptr, CLSCTX_INPROC_SERVER, kXmlDocumentInterface,
                                reinterpret_cast<void**>(&FDocument)))) {
      FDocument = nullptr;
      return;
    }
    FDocument->put_async(VARIANT_FALSE);
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(Wide(path).c_str());
    VARIANT_BOOL loaded = VARIANT_FALSE;
    FLoaded = SUCCEEDED(FDocument->load(source, &loaded)) && loaded == VARIANT_TRUE;
    VariantClear(&source);
  }
  ~TXmlFile() {
    if (FDocument) FDocument->Release();
  }
  TXmlFile(const TXmlFile&) = delete;
  TXmlFile& operator=(const TXmlFile&) = delete;
  IXMLDOMDocument* Get() const { return FLoaded ? FDocument : nullptr; }

private:
  IXMLDOMDocument* FDocument = nullptr;
  bool FLoaded = false;
};

// The browser control's XSLT engine: the same MSXML the viewer's browser uses for the document's
// stylesheet instruction.
std::string RunTransform(const std::string& documentPath, const std::string& stylesheetPath) {
  CLSID parserClass;
  if (FAILED(CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &parserClass))) {
    ADD_FAILURE() << "MSXML 3 is not registered";
    return "";
  }
  TXmlFile document(parserClass, documentPath);
  TXmlFile stylesheet(parserClass, stylesheetPath);
  if (!document.Get() || !stylesheet.Get()) {
    ADD_FAILURE() << "MSXML could not load " << (document.Get() ? stylesheetPath : documentPath);
    return "";
  }
  BSTR output = nullptr;
  HRESULT result = document.Get()->transformNode(stylesheet.Get(), &output);
  std::string html = output ? Utf8(output, SysStringLen(output)) : "";
  SysFreeString(output);
  if (FAILED(result)) ADD_FAILURE() << "transformNode failed: " << std::hex << result;
  return html;
}

#else

std::string ReadAll(const std::string& path) {
  std::vector<uint8_t> bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

#endif

}  // namespace

std::string TransformInvoice(const std::string& invoiceBytes) {
  TScratchDir folder;
  WriteBytes(folder.Path("invoice.xml"), Bytes(ViewerDocumentText(invoiceBytes)));
  WriteBytes(folder.Path("Corvale.xsl"), ReadBytes(CORVALE_SOURCE_DIR "/app/Corvale.xsl"));
#ifdef _WIN32
  CoInitialize(nullptr);
  std::string html = RunTransform(folder.Path("invoice.xml"), folder.Path("Corvale.xsl"));
  CoUninitialize();
  return html;
#else
  // xsltproc follows the document's stylesheet instruction as a browser does; --nonet because the
  // output's document type names a URL that must never be fetched.
  std::string command = "xsltproc --nonet -o '" + folder.Path("invoice.html") + "' '" + folder.Path("invoice.xml") +
                        "' 2>'" + folder.Path("errors.txt") + "'";
  int status = std::system(command.c_str());
  std::string errors = ReadAll(folder.Path("errors.txt"));
  if (status != 0 || !errors.empty()) {
    ADD_FAILURE() << "xsltproc failed (is the xsltproc package installed?): " << errors;
    return "";
  }
  return ReadAll(folder.Path("invoice.html"));
#endif
}
