// Single instance on a real runtime: main records "main-entered" in record.txt and waits for a
// file "stop" (60 s at most); each later start's arguments are recorded as "secondary: a|b".
package probe;

import java.io.File;
import java.io.FileOutputStream;
import java.io.IOException;
import java.nio.charset.StandardCharsets;

public class Serve {
    public static void main(String[] args) throws Exception {
        record("main-entered");
        for (int i = 0; i < 600 && !new File("stop").exists(); ++i) {
            Thread.sleep(100);
        }
        record("main-ended");
    }

    public static void secondaryMain(String[] args) throws IOException {
        record("secondary: " + Report.escape(String.join("|", args)));
    }

    static synchronized void record(String line) throws IOException {
        try (FileOutputStream out = new FileOutputStream("record.txt", true)) {
            out.write((line + "\n").getBytes(StandardCharsets.UTF_8));
        }
    }
}
