// The start-up benchmark's Swing program: it opens a window and, as soon as the window is open,
// writes the time to the file that the property probe.clock names and ends the process.
package probe;

import java.awt.event.WindowAdapter;
import java.awt.event.WindowEvent;
import java.io.FileWriter;
import java.io.IOException;
import javax.swing.JFrame;
import javax.swing.JLabel;
import javax.swing.SwingUtilities;

public class FirstWindow {
    public static void main(String[] args) {
        SwingUtilities.invokeLater(() -> {
            JFrame frame = new JFrame("First Window");
            frame.add(new JLabel("Started", JLabel.CENTER));
            frame.addWindowListener(new WindowAdapter() {
                @Override
                public void windowOpened(WindowEvent event) {
                    try (FileWriter writer = new FileWriter(System.getProperty("probe.clock"))) {
                        writer.write(Long.toString(System.currentTimeMillis()));
                    } catch (IOException e) {
                        throw new IllegalStateException(e);
                    }
                    System.exit(0);
                }
            });
            frame.setSize(320, 200);
            frame.setVisible(true);
        });
    }
}
