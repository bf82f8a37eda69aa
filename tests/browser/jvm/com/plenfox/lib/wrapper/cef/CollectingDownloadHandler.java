package com.plenfox.lib.wrapper.cef;

import java.io.ByteArrayOutputStream;
import java.nio.ByteBuffer;
import java.util.concurrent.CountDownLatch;

/** Keeps every byte of a download and opens a latch when it completes. */
final class CollectingDownloadHandler implements CefDownloadHandler {
    final CountDownLatch completed = new CountDownLatch(1);
    final CountDownLatch firstData = new CountDownLatch(1);
    /** Runs on the thread of complete(), after the latch opened; may be null. */
    volatile Runnable onComplete;
    private final ByteArrayOutputStream bytes = new ByteArrayOutputStream();

    @Override
    public synchronized boolean receivedData(ByteBuffer data) {
        byte[] chunk = new byte[data.remaining()];
        data.get(chunk);
        bytes.write(chunk, 0, chunk.length);
        firstData.countDown();
        return true;
    }

    @Override
    public void complete() {
        completed.countDown();
        Runnable then = onComplete;
        if (then != null) {
            then.run();
        }
    }

    synchronized byte[] bytes() {
        return bytes.toByteArray();
    }
}
