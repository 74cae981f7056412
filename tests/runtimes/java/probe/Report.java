// A Java program for the end-to-end cases on real runtimes: prints what it was started with on
// standard output, each non-ASCII character as a Java escape (backslash, u, four hex digits),
// so that no console encoding can change it.
// System properties "probe.*" ask for more.
package probe;

import java.io.FileWriter;
import java.io.IOException;

public class Report {
    public static void main(String[] args) throws Exception {
        String clock = System.getProperty("probe.clock");
        if (clock != null) {
            // The first thing main does: the benchmark's "main reached" time.
            try (FileWriter writer = new FileWriter(clock)) {
                writer.write(Long.toString(System.currentTimeMillis()));
            }
        }
        for (String arg : args) {
            System.out.println("arg: " + escape(arg));
        }
        System.out.println("args: " + args.length);
        System.out.println("java.home: " + System.getProperty("java.home"));
        System.out.println("QV_JVM_PATH: " + System.getenv("QV_JVM_PATH"));
        System.out.println("QV_JVM_HOME: " + System.getenv("QV_JVM_HOME"));
        for (String name : System.getProperty("probe.props", "").split(",")) {
            if (!name.isEmpty()) {
                System.out.println("property " + name + ": " + escape(System.getProperty(name)));
            }
        }
        if (Boolean.getBoolean("probe.memory")) {
            System.out.println("max-memory-mb: " + Runtime.getRuntime().maxMemory() / (1024 * 1024));
        }
        if (Integer.getInteger("probe.depth") != null) {
            System.out.println(recurse(Integer.getInteger("probe.depth")));
        }
        if (Boolean.getBoolean("probe.print")) {
            System.out.println("out: " + String.join(" ", args));
            System.err.println("err: " + String.join(" ", args));
        }
        if (Boolean.getBoolean("probe.open")) {
            System.out.println("java.lang opened: " + opensJavaLang());
        }
        String module = System.getProperty("probe.module");
        if (module != null) {
            boolean present = ModuleLayer.boot().findModule(module).isPresent();
            System.out.println("module " + module + ": " + (present ? "resolved" : "absent"));
        }
        if (Boolean.getBoolean("probe.splash")) {
            System.out.println("runtime splash: " + (java.awt.SplashScreen.getSplashScreen() != null));
        }
        if (Integer.getInteger("probe.linger") != null) {
            Thread thread = new Thread(() -> {
                sleep(Integer.getInteger("probe.linger"));
                System.out.println("lingering thread ended");
            });
            thread.start();
        }
        if (Integer.getInteger("probe.exit") != null) {
            System.exit(Integer.getInteger("probe.exit"));
        }
        System.out.println("main returns");
    }

    // Whether reflection may reach into java.lang, which needs --add-opens from Java 16 on.
    static boolean opensJavaLang() {
        try {
            String.class.getDeclaredField("value").setAccessible(true);
            return true;
        } catch (RuntimeException | NoSuchFieldException e) {
            return false;
        }
    }

    static String recurse(int depth) {
        try {
            return "reached depth " + down(depth);
        } catch (StackOverflowError e) {
            return "stack overflow before depth " + depth;
        }
    }

    static int down(int depth) {
        return depth == 0 ? 0 : 1 + down(depth - 1);
    }

    static void sleep(long millis) {
        try {
            Thread.sleep(millis);
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
        }
    }

    static String escape(String text) {
        if (text == null) {
            return "(none)";
        }
        StringBuilder escaped = new StringBuilder();
        for (char c : text.toCharArray()) {
            escaped.append(c >= 0x20 && c < 0x7f && c != '\\' ? String.valueOf(c)
                                                              : String.format("\\u%04x", (int) c));
        }
        return escaped.toString();
    }
}
