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
import java.util.Comparator;
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
        try
        {
            Files.createDirectories(folder);
            deleteTree(staging);
            Files.createDirectory(staging);
        }
        catch (IOException e)
        {
            throw new PackFailure("The output folder " + folder + " cannot be written: " + e);
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
            throw new PackFailure(folder.resolve(name) + " cannot be written: " + e);
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
            throw new PackFailure(source + " cannot be copied: " + e);
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
            throw new PackFailure("The runtime " + source + " cannot be copied: " + e);
        }
    }

    /** Puts every output in place, each replacing what had its name. */
    void commit() throws PackFailure
    {
        for (String name : topLevel)
        {
            Path target = folder.resolve(name);
            Path old = staging.resolve(".old-" + name);
            try
            {
                if (Files.exists(target, LinkOption.NOFOLLOW_LINKS))
                    Files.move(target, old);
                Files.move(staging.resolve(name), target, StandardCopyOption.ATOMIC_MOVE);
            }
            catch (IOException e)
            {
                throw new PackFailure(target + " cannot be put in place: " + e);
            }
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
            throw new PackFailure(file.getParent() + " cannot be made: " + e);
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
