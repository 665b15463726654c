#pragma once
// The maker's two web sites and the pages the program opens on them.
namespace qm::sites {

#define QM_MAIN_SITE "http://www.quenmark.com"
#define QM_SECOND_SITE "http://www.lindhollow.com"

inline constexpr const char* kMainRoot = QM_MAIN_SITE;
inline constexpr const char* kSecondRoot = QM_SECOND_SITE;
inline constexpr const char* kFaqPage = QM_MAIN_SITE "/search/faq.html";
inline constexpr const char* kDownloadPage = QM_MAIN_SITE "/search/index.html";
inline constexpr const char* kVersionFile = QM_MAIN_SITE "/search/updata/updatanew.txt";

} // namespace qm::sites
