package com.plenfox.lib.wrapper.cef;

/** Checks a live engine request and header maps made from it. */
final class RequestChecks {
    private RequestChecks() {}

    static void run(CefRequest request) {
        String url = request.getURL();
        String method = request.getMethod();
        Check.that(url != null && url.startsWith("http://127.0.0.1:"), "request URL " + url);
        Check.equal("GET", method, "request method");

        request.setURL(null);
        request.setMethod(null);
        CefHeaderMap headers = request.getHeaderMap();
        request.set("http://127.0.0.1:1/other", "POST", null, headers);
        Check.equal(url, request.getURL(), "null setters and set with null post data keep the URL");
        Check.equal(method, request.getMethod(), "set with null post data keeps the method");

        headerMaps(headers);

        CefHeaderMap original = request.getHeaderMap();
        CefHeaderMap changed = original.copy();
        changed.add("X-Bridge", SettingsTests.Text);
        request.setHeaderMap(changed);
        CefHeaderMap readBack = request.getHeaderMap();
        Check.equal(SettingsTests.Text, readBack.getValue("X-Bridge"),
                "a header map set on the request reads back");
        request.setHeaderMap(original);
        Check.equal(null, request.getHeaderMap().getValue("X-Bridge"),
                "the original header map is back");
        for (CefHeaderMap map : new CefHeaderMap[] {original, changed, readBack, headers}) {
            map.dispose();
        }
        Check.equal(-1, headers.getNumberOfKeys(), "a disposed header map counts -1");
        headers.dispose();
    }

    /** Checks a response the engine offers before a resource loads. */
    static void response(CefResponse response) {
        response.setStatus(203);
        Check.equal(203, response.getStatus(), "response status");
        response.setMimeType("text/plain");
        response.setMimeType(null);
        Check.equal("text/plain", response.getMimeType(), "a null MIME type changes nothing");
        response.setStatusText(SettingsTests.Text);
        response.setStatusText(null);
        Check.equal(SettingsTests.Text, response.getStatusText(), "status text kept");
        CefHeaderMap headers = response.getHeaderMap();
        headers.add("X-Answer", "42");
        response.setHeaderMap(headers);
        Check.equal("42", response.getHeader("X-Answer"), "a header set through a map");
        Check.equal(null, response.getHeader(null), "a null header name");
        headers.dispose();
        response.dispose();
        Check.equal(0, response.getStatus(), "a disposed response answers 0");
        Check.equal(null, response.getMimeType(), "a disposed response has no MIME type");
    }

    static void headerMaps(CefHeaderMap start) {
        CefHeaderMap map = start.copy();
        while (map.getNumberOfKeys() > 0) {
            map.remove(0);
        }
        Check.equal(0, map.getNumberOfKeys(), "header map emptied");
        Check.equal(null, map.getKey(0), "key of an empty map");
        map.add("X-B", "b");
        map.add("X-A", "first");
        map.add("X-C", "c");
        map.add("X-A", "second");
        map.add(null, "ignored");
        map.add("X-Ignored", null);
        Check.equal(4, map.getNumberOfKeys(), "entries, not names, are counted");
        Check.equal("X-A", map.getKey(0), "names in order");
        Check.equal("first", map.getValue(0), "equal names keep insertion order");
        Check.equal("second", map.getValue(1), "second entry of one name");
        Check.equal("X-C", map.getKey(3), "last entry");
        Check.equal(null, map.getKey(4), "index past the end");
        Check.equal("X-A", map.getKey(-3), "a negative index reads the first entry");
        Check.equal("first", map.getValue("X-A"), "value of a name is the first added");
        Check.that(map.containsKey("X-B"), "contains a name");
        Check.that(!map.containsKey("x-b"), "names match exactly");

        map.remove(-1);
        map.remove(4);
        Check.equal(4, map.getNumberOfKeys(), "removing outside the map does nothing");
        map.remove(0);
        Check.equal("second", map.getValue("X-A"), "removing the first entry");
        map.remove(2);
        Check.equal(2, map.getNumberOfKeys(), "removing the last entry");
        Check.equal("X-B", map.getKey(1), "entries after removals");

        CefHeaderMap copy = map.copy();
        copy.add(SettingsTests.Text, SettingsTests.Text);
        Check.equal(2, map.getNumberOfKeys(), "a copy's change leaves the source");
        map.dispose();
        map.dispose();
        Check.equal(3, copy.getNumberOfKeys(), "a copy outlives its source");
        Check.equal(SettingsTests.Text, copy.getValue(SettingsTests.Text),
                "header text outside the Basic Multilingual Plane");
        Check.equal(null, map.copy(), "copy of a disposed map");
        copy.dispose();
    }
}
