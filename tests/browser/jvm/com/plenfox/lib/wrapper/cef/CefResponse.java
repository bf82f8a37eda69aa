package com.plenfox.lib.wrapper.cef;

public interface CefResponse {
    void dispose();
    String getHeader(String name);
    CefHeaderMap getHeaderMap();
    String getMimeType();
    int getStatus();
    String getStatusText();
    void setHeaderMap(CefHeaderMap headerMap);
    void setMimeType(String mimeType);
    void setStatus(int status);
    void setStatusText(String statusText);
}
