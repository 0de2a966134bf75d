// Hands a page of the data set to the user's web browser. Nothing here
// reaches the network, and nothing is opened unless a web browser is what
// the desktop opens web pages with.
#pragma once

#include <string>

namespace NPlatform
{
bool OpenAddress(const std::string& address);
// A page of the data set, named relative to the data folder (empty: the
// working folder, where loose data is read): its file:// address, or empty
// when the name is absolute, holds ':' or "..", or the page is not there.
std::string LocalPageAddress(const std::string& folder, const std::string& relativePath);
// The desktop entry that opens web pages (text/html), as xdg-mime reports
// it ("firefox-esr.desktop"); empty when there is none or no xdg-mime.
std::string GetHtmlHandler();
// Whether that desktop entry is a web browser: its Categories list
// WebBrowser. Looked up under XDG_DATA_HOME and XDG_DATA_DIRS.
bool IsWebBrowserEntry(const std::string& desktopId);
// Both of the above: a web page would open in a browser, not in whatever
// else claims text/html (an editor in a terminal).
bool IsWebBrowserSet();
} // namespace NPlatform
