// The maker of the program: its web site, where the advertising pages live, and its mail address.
// The names are reserved for examples, so they reach no real company.
#pragma once

#include <string>

constexpr const char* kMakerSite = "www.corvale.example";
constexpr const char* kMakerMail = "info@corvale.example";
constexpr int kAdvertisingPages = 10;

// "http://www.corvale.example/pubblicita/PaginaN.html"
inline std::string AdvertisingUrl(int page) {
  return std::string("http://") + kMakerSite + "/pubblicita/Pagina" + std::to_string(page) + ".html";
}
