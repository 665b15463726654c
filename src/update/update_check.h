#pragma once
// The once-per-run check for a newer version on the maker's web site.
#include <windows.h>

#include "update/update_version.h"

namespace qm {

// Fetches an http URL's content, at most kMaxVersionAnswer bytes of it, through the
// system's proxy settings. Window messages of the calling thread keep being dispatched
// meanwhile; a WM_QUIT among them abandons the fetch and is posted again. No text when
// nothing was received: no network, host not found, refused, timed out, or an
// answer whose HTTP status is not 2xx (an error page is no version file).
VersionFetch FetchVersionText(const char* url);

enum class UpdateCheck { Done, TryAgainLater };
// "About two minutes" after a check that could not connect.
inline constexpr unsigned kUpdateRetryDelayMs = 2 * 60 * 1000;

// Fetches the version file and, when it names a newer version, asks the user (owned by
// `owner`) whether to open the download page. Ignores calls made while it runs. The
// first check of the run that could not connect at all asks to be run again, later.
UpdateCheck RunUpdateCheck(HWND owner);

} // namespace qm
