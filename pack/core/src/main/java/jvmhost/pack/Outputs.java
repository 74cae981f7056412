// Everything a pack writes, laid out first under a temporary folder beside the outputs and put
// in place only when all of it has been written: a failure leaves the outputs as they were.
package jvmhost.pack;

import java.io.IOException;
import java.nio.file.FileVisitResult;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.SimpleFileVisitor;
import java.nio.file.StandardCopyOption;
import java.nio.file.attribute.BasicFileAttributes;
import java.nio.file.attribute.PosixFilePermissions;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;
import java.util.LinkedHashSet;
import java.util.Set;
import java.util.stream.Stream;

final class Outputs implements AutoCloseable
{
    private final Path folder;
    private final Path staging;
    private final Set<String> topLevel = new LinkedHashSet<>();

    Outputs(Path folder) throws PackFailure
    {
        this.folder = folder;
        staging = folder.resolve(".jvmhost-pack.tmp");
        if (Files.exists(folder) && !Files.isDirectory(folder))
            throw new PackFailure("The output folder " + folder + " is a file");
        try
        {
            Files.createDirectories(folder);
            deleteTree(staging);
            Files.createDirectory(staging);
        }
        catch (IOException e)
        {
            throw new PackFailure("The output folder " + folder + " cannot be written: " +
                                  PackFailure.reason(e));
        }
    }

    /** Where an output of that name is written before it is put in place. */
    Path stage(String name) throws PackFailure
    {
        return prepare(name);
    }

    /** What has been written under that name so far. */
    Path staged(String name)
    {
        return staging.resolve(name);
    }

    void add(String name, byte[] bytes, boolean executable) throws PackFailure
    {
        Path file = prepare(name);
        try
        {
            Files.write(file, bytes);
            if (executable && Files.getFileStore(file).supportsFileAttributeView("posix"))
                Files.setPosixFilePermissions(file, PosixFilePermissions.fromString("rwxr-xr-x"));
        }
        catch (IOException e)
        {
            throw new PackFailure(folder.resolve(name) + " cannot be written: " +
                                  PackFailure.reason(e));
        }
    }

    void copy(String name, Path source) throws PackFailure
    {
        try
        {
            Files.copy(source, prepare(name), StandardCopyOption.COPY_ATTRIBUTES);
        }
        catch (IOException e)
        {
            throw new PackFailure(source + " cannot be copied: " + PackFailure.reason(e));
        }
    }

    /** A folder copied with its links as links and its files' permissions. */
    void copyTree(String name, Path source) throws PackFailure
    {
        Path target = prepare(name);
        if (!Files.isDirectory(source))
            throw new PackFailure("The runtime " + source + " is not a folder");
        try
        {
            Files.walkFileTree(source, new SimpleFileVisitor<>() {
                @Override
                public FileVisitResult preVisitDirectory(Path directory, BasicFileAttributes a)
                    throws IOException
                {
                    Files.createDirectories(
                        target.resolve(source.relativize(directory).toString()));
                    return FileVisitResult.CONTINUE;
                }

                @Override
                public FileVisitResult visitFile(Path file, BasicFileAttributes a)
                    throws IOException
                {
                    Files.copy(file, target.resolve(source.relativize(file).toString()),
                               StandardCopyOption.COPY_ATTRIBUTES, LinkOption.NOFOLLOW_LINKS);
                    return FileVisitResult.CONTINUE;
                }
            });
        }
        catch (IOException e)
        {
            throw new PackFailure("The runtime " + source + " cannot be copied: " +
                                  PackFailure.reason(e));
        }
    }

    /**
     * Puts every output in place, each replacing what had its name: the previous outputs are
     * moved aside first, and put back when any new one cannot be put in place, so that a failure
     * leaves the previous set whole. A folder where an output file goes is refused: it is not
     * one of the pack's own outputs.
     */
    void commit() throws PackFailure
    {
        refuseFoldersInTheWay();
        List<String> movedAside = new ArrayList<>();
        List<String> placed = new ArrayList<>();
        try
        {
            for (String name : topLevel)
            {
                if (Files.exists(folder.resolve(name), LinkOption.NOFOLLOW_LINKS))
                {
                    Files.move(folder.resolve(name), staging.resolve(".old-" + name));
                    movedAside.add(name);
                }
            }
            for (String name : topLevel)
            {
                Files.move(staging.resolve(name), folder.resolve(name),
                           StandardCopyOption.ATOMIC_MOVE);
                placed.add(name);
            }
        }
        catch (IOException e)
        {
            putBack(placed, movedAside);
            throw new PackFailure("The outputs cannot be put in place in " + folder + ": " +
                                  PackFailure.reason(e) + "; the previous ones are kept");
        }
    }

    private void putBack(List<String> placed, List<String> movedAside)
    {
        try
        {
            for (String name : placed)
                Files.move(folder.resolve(name), staging.resolve(name));
            for (String name : movedAside)
                Files.move(staging.resolve(".old-" + name), folder.resolve(name));
        }
        catch (IOException e)
        {
            System.err.println("jvmhost-pack: the previous outputs stay in " + staging + ": " +
                               PackFailure.reason(e));
        }
    }

    private void refuseFoldersInTheWay() throws PackFailure
    {
        try (Stream<Path> paths = Files.walk(staging))
        {
            for (Path staged : paths.filter(Files::isRegularFile).toList())
            {
                Path target = folder.resolve(staging.relativize(staged).toString());
                if (Files.isDirectory(target, LinkOption.NOFOLLOW_LINKS))
                    throw new PackFailure(target + " is a folder where the pack writes a file:"
                                          + " move it away");
            }
        }
        catch (IOException e)
        {
            throw new PackFailure(staging + " cannot be read: " + PackFailure.reason(e));
        }
    }

    @Override public void close()
    {
        try
        {
            deleteTree(staging);
        }
        catch (IOException e)
        {
            System.err.println("jvmhost-pack: " + staging + " could not be removed: " + e);
        }
    }

    private Path prepare(String name) throws PackFailure
    {
        topLevel.add(name.split("/")[0]);
        Path file = staging.resolve(name);
        try
        {
            Files.createDirectories(file.getParent());
        }
        catch (IOException e)
        {
            throw new PackFailure(file.getParent() + " cannot be made: " + PackFailure.reason(e));
        }
        return file;
    }

    private static void deleteTree(Path root) throws IOException
    {
        if (!Files.exists(root, LinkOption.NOFOLLOW_LINKS))
            return;
        try (Stream<Path> paths = Files.walk(root))
        {
            for (Path path : paths.sorted(Comparator.reverseOrder()).toList())
                Files.delete(path);
        }
    }
}
