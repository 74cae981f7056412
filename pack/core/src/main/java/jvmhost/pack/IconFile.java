// The application's icon: a Windows .ico with its images as they are, or a PNG from which the
// usual sizes are drawn. Its images become the executable's icon resources and, drawn again, the
// macOS bundle's .icns.
package jvmhost.pack;

import java.awt.Graphics2D;
import java.awt.RenderingHints;
import java.awt.image.BufferedImage;
import java.io.ByteArrayInputStream;
import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import javax.imageio.ImageIO;

final class IconFile
{
    /** One image of the icon: its directory entry's values and its bytes (PNG or DIB). */
    record Image(int width, int height, int colors, int planes, int bitCount, byte[] bytes)
    {
        boolean isPng()
        {
            return bytes.length >= 8 && (bytes[0] & 0xFF) == 0x89 && bytes[1] == 'P' &&
                bytes[2] == 'N' && bytes[3] == 'G';
        }
    }

    private static final int[] SIZES_FROM_PNG = {16, 24, 32, 48, 64, 256};

    private final List<Image> images;

    private IconFile(List<Image> images) { this.images = images; }

    List<Image> images() { return images; }

    /** The icon in the file; the launcher's own icon when file is null. */
    static IconFile read(Path file) throws PackFailure
    {
        if (file == null)
            return launchersIcon();
        byte[] bytes;
        try
        {
            bytes = Files.readAllBytes(file);
        }
        catch (IOException e)
        {
            throw new PackFailure("The icon " + file + " cannot be read: " + PackFailure.reason(e));
        }
        return read(file.toString(), bytes);
    }

    private static IconFile launchersIcon() throws PackFailure
    {
        try (InputStream in = IconFile.class.getResourceAsStream("jvmhost.ico"))
        {
            if (in == null)
                throw new PackFailure("The launcher's own icon is missing from the pack's jar");
            return read("of the launcher", in.readAllBytes());
        }
        catch (IOException e)
        {
            throw new PackFailure("The launcher's own icon cannot be read: " + e.getMessage());
        }
    }

    private static IconFile read(String file, byte[] bytes) throws PackFailure
    {
        if (isPng(bytes))
            return fromPng(file, bytes);
        ByteBuffer in = ByteBuffer.wrap(bytes).order(ByteOrder.LITTLE_ENDIAN);
        int count = bytes.length >= 6 && in.getShort(0) == 0 && in.getShort(2) == 1
                        ? Short.toUnsignedInt(in.getShort(4))
                        : 0;
        List<Image> images = new ArrayList<>();
        for (int i = 0; i < count && 6 + 16 * i + 16 <= bytes.length; ++i)
        {
            int entry = 6 + 16 * i;
            int size = in.getInt(entry + 8);
            int offset = in.getInt(entry + 12);
            if (size <= 0 || offset < 6 + 16 * count || (long)offset + size > bytes.length)
                break;
            byte[] data = new byte[size];
            in.get(offset, data);
            Image image =
                new Image(in.get(entry) & 0xFF, in.get(entry + 1) & 0xFF, in.get(entry + 2) & 0xFF,
                          in.getShort(entry + 4), in.getShort(entry + 6), data);
            if (!image.isPng() &&
                (size < 40 || ByteBuffer.wrap(data).order(ByteOrder.LITTLE_ENDIAN).getInt(0) != 40))
                break;
            images.add(image);
        }
        if (count == 0 || images.size() != count)
            throw new PackFailure("The icon " + file + " is not a Windows icon (.ico) or a PNG");
        return new IconFile(images);
    }

    private static IconFile fromPng(String file, byte[] bytes) throws PackFailure
    {
        if (!hasRightChecksums(bytes))
            throw new PackFailure("The icon " + file + " is a damaged PNG: a chunk's checksum is"
                                  + " wrong");
        BufferedImage source = decodePng(bytes);
        if (source == null)
            throw new PackFailure("The icon " + file + " is a PNG that cannot be decoded");
        List<Image> images = new ArrayList<>();
        for (int size : SIZES_FROM_PNG)
            images.add(
                new Image(size % 256, size % 256, 0, 1, 32, encodePng(scaled(source, size))));
        return new IconFile(images);
    }

    /** The icon drawn at the size, from its largest image that can be decoded. */
    BufferedImage drawn(int size) throws PackFailure
    {
        BufferedImage best = null;
        for (Image image : images)
        {
            BufferedImage decoded =
                image.isPng() ? decodePng(image.bytes()) : decodeDib(image.bytes());
            if (decoded != null && (best == null || decoded.getWidth() > best.getWidth()))
                best = decoded;
        }
        if (best == null)
            throw new PackFailure("The icon has no image that can be decoded (a PNG, or a bitmap"
                                  + " of 24 or 32 bits per pixel) to draw the macOS icon from");
        return scaled(best, size);
    }

    static byte[] encodePng(BufferedImage image)
    {
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        try
        {
            ImageIO.write(image, "png", out);
        }
        catch (IOException e)
        {
            throw new IllegalStateException(e);
        }
        return out.toByteArray();
    }

    private static boolean isPng(byte[] bytes)
    {
        return bytes.length >= 8 && (bytes[0] & 0xFF) == 0x89 && bytes[1] == 'P' &&
            bytes[2] == 'N' && bytes[3] == 'G';
    }

    /** Whether every chunk of the PNG is whole and carries the CRC-32 of its type and data. */
    private static boolean hasRightChecksums(byte[] bytes)
    {
        ByteBuffer in = ByteBuffer.wrap(bytes);
        for (int chunk = 8; chunk < bytes.length;)
        {
            if (chunk + 12 > bytes.length)
                return false;
            long length = Integer.toUnsignedLong(in.getInt(chunk));
            if (chunk + 12 + length > bytes.length)
                return false;
            java.util.zip.CRC32 crc = new java.util.zip.CRC32();
            crc.update(bytes, chunk + 4, (int)length + 4);
            if (crc.getValue() != Integer.toUnsignedLong(in.getInt(chunk + 8 + (int)length)))
                return false;
            chunk += 12 + (int)length;
        }
        return true;
    }

    private static BufferedImage decodePng(byte[] bytes)
    {
        try
        {
            return ImageIO.read(new ByteArrayInputStream(bytes));
        }
        catch (IOException e)
        {
            return null;
        }
    }

    /**
       A 24- or 32-bit device-independent bitmap of an icon: rows from the bottom, the height
        counting the AND mask, whose bits make the 24-bit image's transparency.
     */
    private static BufferedImage decodeDib(byte[] bytes)
    {
        ByteBuffer in = ByteBuffer.wrap(bytes).order(ByteOrder.LITTLE_ENDIAN);
        int width = in.getInt(4);
        int height = in.getInt(8) / 2;
        int bits = in.getShort(14);
        if ((bits != 24 && bits != 32) || width <= 0 || height <= 0 || width > 1024 ||
            height > 1024)
            return null;
        int stride = (width * bits / 8 + 3) / 4 * 4;
        int maskStride = (width + 31) / 32 * 4;
        int pixels = 40;
        int mask = pixels + stride * height;
        if (bits == 24 && mask + maskStride * height > bytes.length || mask > bytes.length)
            return null;
        BufferedImage image = new BufferedImage(width, height, BufferedImage.TYPE_INT_ARGB);
        for (int y = 0; y < height; ++y)
        {
            int row = pixels + (height - 1 - y) * stride;
            for (int x = 0; x < width; ++x)
            {
                int at = row + x * bits / 8;
                int rgb =
                    (bytes[at] & 0xFF) | (bytes[at + 1] & 0xFF) << 8 | (bytes[at + 2] & 0xFF) << 16;
                int alpha =
                    bits == 32 ? bytes[at + 3] & 0xFF
                    : ((bytes[mask + (height - 1 - y) * maskStride + x / 8] >> (7 - x % 8)) & 1) ==
                            0
                        ? 255
                        : 0;
                image.setRGB(x, y, alpha << 24 | rgb);
            }
        }
        return image;
    }

    private static BufferedImage scaled(BufferedImage source, int size)
    {
        BufferedImage image = new BufferedImage(size, size, BufferedImage.TYPE_INT_ARGB);
        Graphics2D graphics = image.createGraphics();
        graphics.setRenderingHint(RenderingHints.KEY_INTERPOLATION,
                                  RenderingHints.VALUE_INTERPOLATION_BICUBIC);
        graphics.setRenderingHint(RenderingHints.KEY_RENDERING,
                                  RenderingHints.VALUE_RENDER_QUALITY);
        graphics.drawImage(source, 0, 0, size, size, null);
        graphics.dispose();
        return image;
    }
}
