// A real Swing window: main opens it and returns; the process stays until it is closed. Once
// the window has been painted, a file "painted" is written.
package probe;

import java.awt.Color;
import java.awt.Graphics;
import java.io.File;
import java.io.IOException;
import javax.swing.JFrame;
import javax.swing.JLabel;
import javax.swing.SwingUtilities;

public class Window {
    public static void main(String[] args) throws Exception {
        SwingUtilities.invokeAndWait(() -> {
            JFrame frame = new JFrame("Probe Window");
            frame.setDefaultCloseOperation(JFrame.DISPOSE_ON_CLOSE);
            JLabel label = new JLabel("Started by jvmhost", JLabel.CENTER) {
                @Override
                protected void paintComponent(Graphics graphics) {
                    super.paintComponent(graphics);
                    try {
                        new File("painted").createNewFile();
                    } catch (IOException e) {
                        throw new IllegalStateException(e);
                    }
                }
            };
            label.setOpaque(true);
            label.setBackground(new Color(0x20, 0x60, 0xc0));
            label.setForeground(Color.WHITE);
            frame.add(label);
            frame.setSize(320, 200);
            frame.setLocation(100, 100);
            frame.setVisible(true);
        });
        System.out.println("main returns");
    }
}
