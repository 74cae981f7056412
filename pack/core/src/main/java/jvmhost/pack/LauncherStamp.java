// The application's own launcher: a copy of a release launcher whose icon, version information
// and manifest are the application's. Its dialogs and string table stay; its icon keeps the
// resource number the launcher loads it by, so the dialogs show the application's icon too.
package jvmhost.pack;

import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.util.List;

final class LauncherStamp
{
    private static final int LAUNCHER_ICON = 101;
    private static final int MANIFEST = 1;
    private static final int VERSION = 1;

    private LauncherStamp() {}

    static byte[] stamp(String launcherName, byte[] launcher, LauncherMachine machine,
                        Description description, IconFile icon, String fileName)
        throws PackFailure
    {
        PeImage image = PeImage.read(launcherName, launcher);
        // A launcher of another processor in this place would not take the runtimes it is for.
        if (image.machineType() != machine.machineType)
            throw new PackFailure(launcherName + " is an executable for " +
                                  LauncherMachine.describe(image.machineType()) +
                                  "; this launcher must be one for " + machine.manifestName);
        ResourceTable table = image.resources();
        int language = table.languageOf(ResourceTable.RT_VERSION);
        table.removeType(ResourceTable.RT_ICON);
        table.removeType(ResourceTable.RT_GROUP_ICON);
        table.removeType(ResourceTable.RT_VERSION);
        table.removeType(ResourceTable.RT_MANIFEST);
        List<IconFile.Image> images = icon.images();
        ByteBuffer group =
            ByteBuffer.allocate(6 + 14 * images.size()).order(ByteOrder.LITTLE_ENDIAN);
        group.putShort((short)0).putShort((short)1).putShort((short)images.size());
        for (int i = 0; i < images.size(); ++i)
        {
            IconFile.Image entry = images.get(i);
            group.put((byte)entry.width())
                .put((byte)entry.height())
                .put((byte)entry.colors())
                .put((byte)0)
                .putShort((short)entry.planes())
                .putShort((short)entry.bitCount())
                .putInt(entry.bytes().length)
                .putShort((short)(i + 1));
            table.put(ResourceTable.Key.of(ResourceTable.RT_ICON), ResourceTable.Key.of(i + 1),
                      language, new ResourceTable.Data(entry.bytes(), 0));
        }
        table.put(ResourceTable.Key.of(ResourceTable.RT_GROUP_ICON),
                  ResourceTable.Key.of(LAUNCHER_ICON), language,
                  new ResourceTable.Data(group.array(), 0));
        table.put(ResourceTable.Key.of(ResourceTable.RT_VERSION), ResourceTable.Key.of(VERSION),
                  language,
                  new ResourceTable.Data(VersionResource.build(description, fileName), 0));
        table.put(ResourceTable.Key.of(ResourceTable.RT_MANIFEST), ResourceTable.Key.of(MANIFEST),
                  language,
                  new ResourceTable.Data(ManifestResource.build(description, machine), 0));
        return image.withResources(table);
    }
}
