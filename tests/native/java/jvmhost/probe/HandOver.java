package jvmhost.probe;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Collections;
import java.util.List;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.TimeUnit;

// main waits up to 10 s for secondaryMain to be called from another thread, then writes what
// happened, a line each in the order it happened, in UTF-8 to the file named by the
// jvmhost.test.out property.
public class HandOver
{
    private static final List<String> events = Collections.synchronizedList(new ArrayList<>());
    private static final CountDownLatch secondaryCalled = new CountDownLatch(1);

    public static void main(String[] args) throws Exception
    {
        events.add("main entered");
        final boolean called = secondaryCalled.await(10, TimeUnit.SECONDS);
        events.add(called ? "main saw the call" : "main gave up waiting");
        Files.writeString(Path.of(System.getProperty("jvmhost.test.out")),
                          String.join("\n", events) + "\n", StandardCharsets.UTF_8);
    }

    public static void secondaryMain(String[] args)
    {
        events.add("secondaryMain called with [" + String.join("|", args) + "]");
        secondaryCalled.countDown();
    }
}
