// A macOS icon file (.icns): PNG images of 16 to 1024 pixels, each under the type macOS reads
// for its size.
package jvmhost.pack;

import java.io.ByteArrayOutputStream;
import java.nio.ByteBuffer;
import java.nio.charset.StandardCharsets;

final class IcnsFile
{
    static final String[] TYPES = {"icp4", "icp5", "icp6", "ic07", "ic08", "ic09", "ic10"};
    static final int[] SIZES = {16, 32, 64, 128, 256, 512, 1024};

    private IcnsFile() {}

    static byte[] build(IconFile icon) throws PackFailure
    {
        ByteArrayOutputStream images = new ByteArrayOutputStream();
        for (int i = 0; i < TYPES.length; ++i)
        {
            byte[] png = IconFile.encodePng(icon.drawn(SIZES[i]));
            images.writeBytes(TYPES[i].getBytes(StandardCharsets.US_ASCII));
            images.writeBytes(ByteBuffer.allocate(4).putInt(8 + png.length).array());
            images.writeBytes(png);
        }
        ByteArrayOutputStream file = new ByteArrayOutputStream();
        file.writeBytes("icns".getBytes(StandardCharsets.US_ASCII));
        file.writeBytes(ByteBuffer.allocate(4).putInt(8 + images.size()).array());
        file.writeBytes(images.toByteArray());
        return file.toByteArray();
    }
}
