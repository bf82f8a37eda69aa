package com.plenfox.lib.wrapper.cef;

public interface CefRequest {
    void dispose();
    CefHeaderMap getHeaderMap();
    String getMethod();
    CefPostData getPostData();
    String getURL();
    void set(String url, String method, CefPostData postData, CefHeaderMap headerMap);
    void setHeaderMap(CefHeaderMap headerMap);
    void setMethod(String method);
    void setPostData(CefPostData postData);
    void setURL(String url);
}
