package com.plenfox.lib.wrapper.cef;

import com.sun.net.httpserver.HttpExchange;
import com.sun.net.httpserver.HttpServer;
import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.OutputStream;
import java.net.InetAddress;
import java.net.InetSocketAddress;
import java.nio.charset.StandardCharsets;
import java.util.Random;
import java.util.zip.ZipEntry;
import java.util.zip.ZipOutputStream;

/** Serves the test pages and one zip file on a free loopback port. */
final class LoopbackServer {
    static final String PageMarker = "bridge-test-page";

    final byte[] zip;
    private final HttpServer server;

    private LoopbackServer(HttpServer server, byte[] zip) {
        this.server = server;
        this.zip = zip;
    }

    static LoopbackServer start() throws IOException {
        HttpServer server = HttpServer.create(
                new InetSocketAddress(InetAddress.getLoopbackAddress(), 0), 0);
        LoopbackServer loopback = new LoopbackServer(server, makeZip());
        server.createContext("/", loopback::serve);
        // The slow download must not hold the page requests back.
        server.setExecutor(java.util.concurrent.Executors.newCachedThreadPool(runnable -> {
            Thread thread = new Thread(runnable, "loopback-server");
            thread.setDaemon(true);
            return thread;
        }));
        server.start();
        return loopback;
    }

    String url(String path) {
        return "http://127.0.0.1:" + server.getAddress().getPort() + path;
    }

    void stop() {
        server.stop(0);
    }

    /** A real zip holding an addon folder with random content (so it does not compress). */
    private static byte[] makeZip() throws IOException {
        byte[] content = new byte[300 * 1024];
        new Random(42).nextBytes(content);
        ByteArrayOutputStream bytes = new ByteArrayOutputStream();
        try (ZipOutputStream out = new ZipOutputStream(bytes)) {
            out.putNextEntry(new ZipEntry("TestAddon/TestAddon.toc"));
            out.write("## Interface: 100200\n## Title: Test Addon\n## Version: 1.0\n"
                    .getBytes(StandardCharsets.UTF_8));
            out.closeEntry();
            out.putNextEntry(new ZipEntry("TestAddon/data.bin"));
            out.write(content);
            out.closeEntry();
        }
        return bytes.toByteArray();
    }

    private static void pause() {
        try {
            Thread.sleep(300);
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
        }
    }

    /** Sends a long zip slowly, piece by piece, so that it is still arriving for a while. */
    private void serveSlowly(HttpExchange exchange) throws IOException {
        exchange.getResponseHeaders().add("Content-Type", "application/zip");
        exchange.getResponseHeaders().add("Content-Disposition",
                "attachment; filename=\"SlowAddon.zip\"");
        byte[] piece = new byte[16 * 1024];
        int pieces = 128;
        exchange.sendResponseHeaders(200, (long) piece.length * pieces);
        try (OutputStream out = exchange.getResponseBody()) {
            for (int i = 0; i < pieces; i++) {
                out.write(piece);
                out.flush();
                Thread.sleep(50);
            }
        } catch (IOException | InterruptedException gone) {
            // The browser went away before the end, as it should at shutdown.
        }
    }

    private void serve(HttpExchange exchange) throws IOException {
        String path = exchange.getRequestURI().getPath();
        if (path.equals("/slow.zip")) {
            serveSlowly(exchange);
            return;
        }
        byte[] body;
        if (path.endsWith(".zip")) {
            exchange.getResponseHeaders().add("Content-Type", "application/zip");
            exchange.getResponseHeaders().add("Content-Disposition",
                    "attachment; filename=\"TestAddon.zip\"");
            body = zip;
        } else {
            exchange.getResponseHeaders().add("Content-Type", "text/html; charset=utf-8");
            body = ("<html><head><title>" + path + "</title></head><body><p>" + PageMarker
                    + "</p><a href=\"/addon.zip\">zip</a><a id=\"slow\" href=\"/slow.zip\">slow</a>"
                    + "</body></html>")
                    .getBytes(StandardCharsets.UTF_8);
        }
        exchange.sendResponseHeaders(200, body.length);
        try (OutputStream out = exchange.getResponseBody()) {
            if (path.endsWith(".zip")) {
                // The headers (with the length) go first, the body a moment
                // later, so the browser knows the length before any byte.
                out.flush();
                pause();
            }
            out.write(body);
        }
    }
}
